-- Trimming: blanks (space, tab, any byte 1..32) cut at either end
SELECT id, '[' || name || ']' AS stored,
       '[' || F_LTRIM(name) || ']' AS f_ltrim,
       '[' || F_RTRIM(name) || ']' AS f_rtrim,
       '[' || F_TRIM(name) || ']' AS f_trim
  FROM customers ORDER BY id;

-- Lengths count WIN1252 bytes: one per accented letter
SELECT id, F_TRIM(name) AS name, F_STRLEN(F_TRIM(name)) AS f_strlen,
       OCTET_LENGTH(TRIM(name)) AS utf8_bytes
  FROM customers ORDER BY id;

-- Cutting codes apart: left, middle and right pieces
SELECT code, F_STRLEFT(code, 2) AS state, F_SUBSTR(code, 4, 4) AS number,
       F_STRRIGHT(code, 2) AS suffix, F_SUBSTR(code, 9, 100) AS rest,
       '[' || F_STRLEFT(code, 0) || ']' AS none
  FROM customers ORDER BY id;

-- Out-of-range positions give an empty text, never an error
SELECT F_SUBSTR('abcdef', 7, 1) AS past_end, F_SUBSTR('abcdef', 0, 3) AS start_0,
       F_STRRIGHT('abcdef', 7) AS too_many, F_SUBSTR('abcdef', 2, 2147483647) AS huge
  FROM rdb$database;

-- A price list: pictures with grouping, sections for negatives and zero, exponents
SELECT name,
       F_FORMATFLOAT('R$ #,##0.00', price) AS price,
       F_FORMATFLOAT('#,##0;(#,##0);''out of stock''', stock) AS stock,
       F_FORMATFLOAT('0.00E+00', price) AS scientific,
       F_FORMATFLOAT('', price) AS general
  FROM products ORDER BY id;
