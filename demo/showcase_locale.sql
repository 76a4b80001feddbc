-- The locale's own texts, through the UDR face and the legacy face (L_...), declared in its code page's character set
SELECT F_FORMATDATETIME('dddd, d mmmm yyyy', TIMESTAMP '2024-03-05 14:07:09') AS long_date,
       L_FORMATDATETIME('ddddd t', TIMESTAMP '2024-03-05 14:07:09') AS standard_pictures,
       F_FORMATFLOAT('#,##0.00', 1234567.891) AS number,
       L_FORMATFLOAT('#,##0.00', -0.5) AS legacy_number
  FROM rdb$database;

-- Proper case and search keys of the locale's own names
SELECT F_PROPERCASE(F_FORMATDATETIME('dddd mmmm', TIMESTAMP '2024-03-05 00:00:00')) AS proper,
       L_CONSTR(F_FORMATDATETIME('dddd mmmm', TIMESTAMP '2024-03-05 00:00:00')) AS search_key
  FROM rdb$database;

-- What the server was told: the character set of each face's texts
SELECT TRIM(a.rdb$function_name) AS function_name, TRIM(cs.rdb$character_set_name) AS character_set
  FROM rdb$function_arguments a
  LEFT JOIN rdb$fields f ON f.rdb$field_name = a.rdb$field_source
  JOIN rdb$character_sets cs
    ON cs.rdb$character_set_id = COALESCE(a.rdb$character_set_id, f.rdb$character_set_id)
 WHERE a.rdb$function_name IN ('F_STRLEFT', 'L_STRLEFT') AND a.rdb$argument_position = 1
 ORDER BY 1;
