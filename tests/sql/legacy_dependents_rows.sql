/* The rows of legacy_dependents.sql's table, through its trigger. */
INSERT INTO PEOPLE (ID, NAME, PRICE, BORN, PIC, NOTES)
  VALUES (1, 'JOÃO DA SILVA', 1234.5, TIMESTAMP '2024-02-10 10:30:00', '#,##0.00', 'notas');
INSERT INTO PEOPLE (ID, NAME, PRICE, BORN, PIC, NOTES) VALUES (2, NULL, NULL, NULL, NULL, NULL);
COMMIT;
