-- The same customer list through the UDR face (libudfzel.so): the same bytes
SELECT F_PROPERCASE(name) AS name, F_CONSTR(name) AS search_key,
       F_FORMATMASKTEXT('000.000.000-00;0;_', cpf) AS cpf,
       F_FORMATMASKTEXT('!(00) 0000-0000;0;_', phone) AS phone
  FROM clients ORDER BY id;

-- Numbers and dates through the UDR face
SELECT F_FORMATFLOAT('#,##0.00', price) AS price, F_ROUND(price, 1) AS rounded,
       F_STRZERO(stock, 10, 0) AS stock, F_ULTDIA(TIMESTAMP '2024-02-10 08:30:00') AS month_end
  FROM products ORDER BY id;

-- SQL NULL: the legacy face (L_...) computes with an empty text or 0, the UDR face gives NULL
SELECT L_STRLEN(NULL) AS legacy_strlen, F_STRLEN(NULL) AS udr_strlen,
       L_FORMATFLOAT('0.00', NULL) AS legacy_format, F_FORMATFLOAT('0.00', NULL) AS udr_format,
       L_ULTDIAMES(NULL) AS legacy_days, F_ULTDIAMES(NULL) AS udr_days
  FROM rdb$database;

-- A picture longer than 224 characters: the legacy face gives NULL
SELECT L_FORMATFLOAT(LPAD('', 230, '0'), 1) AS legacy FROM rdb$database;

-- ! The same picture through the UDR face: an SQL error with the library's message
SELECT F_FORMATFLOAT(LPAD('', 230, '0'), 1) AS udr FROM rdb$database;

-- Notes as blobs through the UDR face: statistics from the blob's own information, a new blob
SELECT id, F_BLOBSIZE(body) AS bytes, F_BLOBSEGCOUNT(body) AS segments,
       F_BLOBTOSTR(body) AS text, F_BLOBSIZE(F_STRTOBLOB(F_CONSTR(F_BLOBTOSTR(body)))) AS copy_bytes
  FROM notes ORDER BY id;
