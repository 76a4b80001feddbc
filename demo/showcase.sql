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

-- An invoice: rounded totals, zero-padded codes, fixed-width columns
SELECT F_STRZERO(invoice, 12, 0) AS invoice_no, F_STRZERO(line, 3, 0) AS line,
       quantity * unit AS exact_total,
       F_ROUND(quantity * unit, 2) AS f_round_2,
       F_NUM(quantity * unit, 1) AS f_num_1,
       '[' || F_STR(F_ROUND(quantity * unit, 2), 12, 2) || ']' AS f_str_12_2,
       F_DIV(invoice, 1000000) AS invoice_year, F_MOD(invoice, 1000000) AS seq
  FROM invoice_lines ORDER BY invoice, line;

-- Counters and integer arithmetic: next multiple, steps down, wrap-around
SELECT F_INC(7, 5) AS next_of_5, F_INC(10, -3) AS step_down, F_INC(2147483647, 1) AS wraps,
       F_DIV(-7, 2) AS div, F_MOD(-7, 2) AS mod, F_DIVNUM(1, 4) AS divnum,
       F_TRUNC(-2.9) AS trunc, F_ROUND(1250, -2) AS hundreds
  FROM rdb$database;

-- Due dates at month end, and dates by picture in the locale's names
SELECT id, F_FORMATDATETIME('dd/mm/yyyy hh:nn', issued) AS issued,
       F_FORMATDATETIME('dd/mm/yyyy', F_ULTDIA(issued)) AS due,
       F_ULTDIAMES(issued) AS days_in_month,
       F_FORMATDATETIME('dddd, d ''de'' mmmm ''de'' yyyy', issued) AS long_text,
       F_FORMATDATETIME('c', issued) AS standard,
       F_FORMATDATETIME('h:nn am/pm', issued) AS clock
  FROM bills ORDER BY id;

-- A month calendar: the first of each month, its weekday and length
SELECT F_FORMATDATETIME('mmmm yyyy', d) AS month_name, F_FORMATDATETIME('ddd', d) AS starts_on,
       F_ULTDIAMES(d) AS days
  FROM (SELECT DATEADD(n MONTH TO TIMESTAMP '2024-01-01 00:00:00') AS d
          FROM (SELECT 0 AS n FROM rdb$database UNION ALL SELECT 1 FROM rdb$database
                UNION ALL SELECT 2 FROM rdb$database UNION ALL SELECT 3 FROM rdb$database));

-- A customer list: names in proper case, accent-free search keys, documents in masks
SELECT F_PROPERCASE(name) AS name, F_CONSTR(name) AS search_key,
       F_FORMATMASKTEXT('000.000.000-00;0;_', cpf) AS cpf,
       F_FORMATMASKTEXT('00000-000;0;_', cep) AS cep,
       F_FORMATMASKTEXT('!(00) 0000-0000;0;_', phone) AS phone
  FROM clients ORDER BY id;

-- Align mode: values that carry the literals, padded or cut to the mask
SELECT F_FORMATMASKTEXT('!99/99/0000;1;_', '5/1/2023') AS right_aligned,
       F_FORMATMASKTEXT('99/99/0000;1;_', '5/1/2023') AS left_aligned,
       F_FORMATMASKTEXT('00:00;0;_', '1230') AS clock
  FROM rdb$database;

-- Notes stored as blobs: written with F_STRTOBLOB, read back whole, with the server's statistics
SELECT id, F_BLOBSIZE(body) AS bytes, F_BLOBSEGCOUNT(body) AS segments,
       F_BLOBMAXSEG(body) AS longest_segment, F_BLOBTOSTR(body) AS text
  FROM notes ORDER BY id;
