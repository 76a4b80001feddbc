/* What the dependents of tests/sql/legacy_dependents.sql give, for isql:
   compared before and after an upgrade and a switch of face. */
SET LIST ON;
SELECT * FROM PEOPLE_V ORDER BY ID;
SELECT T FROM PRICE_TEXT('0.00', 2.5);
SELECT T FROM PRICE_TEXT(NULL, NULL);
SELECT T FROM PRICE_TEXT(LPAD('', 230, '0'), 1);
SELECT COALESCE(TRIM(RDB$ENGINE_NAME), 'legacy') ENGINE, COUNT(*) FUNCTIONS FROM RDB$FUNCTIONS
  WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 GROUP BY 1;
