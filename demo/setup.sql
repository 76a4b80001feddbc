/* Demo data: a few customers as a Brazilian shop keeps them, blanks and
   all, in a UTF8 database. */
CREATE TABLE customers (
  id    INTEGER NOT NULL PRIMARY KEY,
  name  VARCHAR(60) CHARACTER SET UTF8,
  city  VARCHAR(40) CHARACTER SET UTF8,
  code  VARCHAR(20) CHARACTER SET UTF8
);
COMMIT;
INSERT INTO customers VALUES (1, '  maria da conceição  ', 'São Paulo', 'SP-0042-XZ');
INSERT INTO customers VALUES (2, 'JOÃO DOS SANTOS' || ASCII_CHAR(9), '  Belo Horizonte', 'MG-1987-AB');
INSERT INTO customers VALUES (3, 'Ângela Müller   ', 'Curitiba  ', 'PR-0007-QQ');
INSERT INTO customers VALUES (4, '     ', '', 'X');
COMMIT;
CREATE TABLE products (
  id     INTEGER NOT NULL PRIMARY KEY,
  name   VARCHAR(40) CHARACTER SET UTF8,
  price  DOUBLE PRECISION,
  stock  DOUBLE PRECISION
);
COMMIT;
INSERT INTO products VALUES (1, 'Café torrado 500 g', 18.9, 1250);
INSERT INTO products VALUES (2, 'Pão de queijo (kg)', 42.5, 0);
INSERT INTO products VALUES (3, 'Notebook', 4599.999, -3);
INSERT INTO products VALUES (4, 'Parafuso M3', 0.004, 2500000);
COMMIT;
CREATE TABLE invoice_lines (
  invoice   BIGINT,
  line      INTEGER,
  quantity  DOUBLE PRECISION,
  unit      DOUBLE PRECISION
);
COMMIT;
INSERT INTO invoice_lines VALUES (2026000123, 1, 3, 18.9);
INSERT INTO invoice_lines VALUES (2026000123, 2, 0.75, 42.5);
INSERT INTO invoice_lines VALUES (2026000123, 3, 1, 4599.999);
INSERT INTO invoice_lines VALUES (2026000124, 1, 2500, 0.0035);
COMMIT;
CREATE TABLE bills (
  id      INTEGER NOT NULL PRIMARY KEY,
  issued  TIMESTAMP
);
COMMIT;
INSERT INTO bills VALUES (1, TIMESTAMP '2024-01-15 09:05:00');
INSERT INTO bills VALUES (2, TIMESTAMP '2024-02-03 17:45:30');
INSERT INTO bills VALUES (3, TIMESTAMP '2023-12-15 00:00:00');
INSERT INTO bills VALUES (4, TIMESTAMP '1899-12-29 06:00:00');
COMMIT;
CREATE TABLE clients (
  id     INTEGER NOT NULL PRIMARY KEY,
  name   VARCHAR(60) CHARACTER SET UTF8,
  cpf    VARCHAR(11),
  cep    VARCHAR(8),
  phone  VARCHAR(11)
);
COMMIT;
INSERT INTO clients VALUES (1, 'JOÃO DA SILVA', '12345678901', '01310100', '1133334444');
INSERT INTO clients VALUES (2, 'maria dos santos me', '98765432100', '70040010', '6132');
INSERT INTO clients VALUES (3, 'conceição d''ávila', '123', '', '21987654321');
INSERT INTO clients VALUES (4, 'ÂNGELA DE SOUZA II', '', '30130', '');
COMMIT;
CREATE TABLE notes (
  id    INTEGER NOT NULL PRIMARY KEY,
  body  BLOB SUB_TYPE TEXT CHARACTER SET WIN1252
);
COMMIT;
INSERT INTO notes VALUES (1, F_STRTOBLOB('Cliente pediu entrega até sexta-feira.'));
INSERT INTO notes VALUES (2, F_STRTOBLOB('Pagamento confirmado; nota fiscal emitida em ' || '05/03/2024.'));
INSERT INTO notes VALUES (3, NULL);
COMMIT;
