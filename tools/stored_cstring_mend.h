// The step of the legacy-compatible script that mends what the legacy
// declarations left in the catalogue. Firebird 6 stores the type of a view
// column or a computed column taken straight from a legacy text result as
// CSTRING, which it then cannot describe: selecting the view, or the table
// with the computed column, fails with "Data type unknown". Once the
// functions return VARCHAR, altering such a view with its own text, or
// recomputing such a column with its own expression, stores VARCHAR. The
// block lists what it recreated; earlier versions store VARCHAR, so there it
// finds nothing. The catalogue is read through dynamic statements because
// its schema columns exist from Firebird 6 on, and the block must compile
// on every version.
#pragma once

#include <string_view>

namespace udfzel_gen {

inline constexpr std::string_view kStoredCStringMend = R"sql(EXECUTE BLOCK RETURNS (
  RECREATED VARCHAR(250) CHARACTER SET UTF8,
  OUTCOME VARCHAR(80))
AS
  DECLARE FUNCTION QUOTED(NAME VARCHAR(63) CHARACTER SET UTF8)
    RETURNS VARCHAR(130) CHARACTER SET UTF8
  AS
  BEGIN
    RETURN '"' || REPLACE(TRIM(TRAILING FROM NAME), '"', '""') || '"';
  END
  DECLARE VERSION VARCHAR(20);
  DECLARE SCHEMAS BOOLEAN;
  DECLARE SCHEMA_NAME VARCHAR(63) CHARACTER SET UTF8;
  DECLARE RELATION_NAME VARCHAR(63) CHARACTER SET UTF8;
  DECLARE FIELD_NAME VARCHAR(63) CHARACTER SET UTF8;
  DECLARE IS_VIEW BOOLEAN;
  DECLARE COMPUTED BLOB SUB_TYPE TEXT CHARACTER SET UTF8;
  DECLARE RELATION VARCHAR(270) CHARACTER SET UTF8;
  DECLARE LAST_VIEW VARCHAR(270) CHARACTER SET UTF8 = '';
  DECLARE COLUMNS BLOB SUB_TYPE TEXT CHARACTER SET UTF8;
  DECLARE STATEMENT_TEXT BLOB SUB_TYPE TEXT CHARACTER SET UTF8;
  DECLARE IN_SCHEMA VARCHAR(200) CHARACTER SET UTF8;
BEGIN
  VERSION = RDB$GET_CONTEXT('SYSTEM', 'ENGINE_VERSION');
  SCHEMAS = CAST(LEFT(VERSION, POSITION('.' IN VERSION) - 1) AS INTEGER) >= 6;
  FOR EXECUTE STATEMENT
    'SELECT ' || IIF(SCHEMAS, 'R.RDB$SCHEMA_NAME', 'NULL') || ', R.RDB$RELATION_NAME, RF.RDB$FIELD_NAME,
       R.RDB$VIEW_BLR IS NOT NULL, F.RDB$COMPUTED_SOURCE
     FROM RDB$RELATION_FIELDS RF
     JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = RF.RDB$RELATION_NAME' ||
       IIF(SCHEMAS, ' AND R.RDB$SCHEMA_NAME = RF.RDB$SCHEMA_NAME', '') || '
     JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE' ||
       IIF(SCHEMAS, ' AND F.RDB$SCHEMA_NAME = RF.RDB$FIELD_SOURCE_SCHEMA_NAME', '') || '
     WHERE F.RDB$FIELD_TYPE = 40 AND (R.RDB$VIEW_BLR IS NULL OR RF.RDB$BASE_FIELD IS NULL)
     ORDER BY R.RDB$RELATION_ID, RF.RDB$FIELD_POSITION'
    INTO SCHEMA_NAME, RELATION_NAME, FIELD_NAME, IS_VIEW, COMPUTED
  DO
  BEGIN
    RELATION = COALESCE(QUOTED(SCHEMA_NAME) || '.', '') || QUOTED(RELATION_NAME);
    IF (IS_VIEW AND RELATION = LAST_VIEW) THEN CONTINUE;
    IF (IS_VIEW) THEN
    BEGIN
      LAST_VIEW = RELATION;
      IN_SCHEMA = IIF(SCHEMAS, ' AND RDB$SCHEMA_NAME = ''' || REPLACE(SCHEMA_NAME, '''', '''''') || '''', '');
      COLUMNS = NULL;
      FOR EXECUTE STATEMENT
        'SELECT RDB$FIELD_NAME FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = ''' ||
          REPLACE(RELATION_NAME, '''', '''''') || '''' || IN_SCHEMA || ' ORDER BY RDB$FIELD_POSITION'
        INTO FIELD_NAME
      DO COLUMNS = COALESCE(COLUMNS || ', ', '') || QUOTED(FIELD_NAME);
      EXECUTE STATEMENT 'SELECT RDB$VIEW_SOURCE FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = ''' ||
          REPLACE(RELATION_NAME, '''', '''''') || '''' || IN_SCHEMA
        INTO STATEMENT_TEXT;
      STATEMENT_TEXT = 'ALTER VIEW ' || RELATION || ' (' || COLUMNS || ') AS ' || STATEMENT_TEXT;
      RECREATED = 'view ' || RELATION;
    END
    ELSE
    BEGIN
      STATEMENT_TEXT = 'ALTER TABLE ' || RELATION || ' ALTER ' || QUOTED(FIELD_NAME) || ' COMPUTED BY ' || COMPUTED;
      RECREATED = 'computed column ' || RELATION || '.' || QUOTED(FIELD_NAME);
    END
    OUTCOME = 'recreated';
    BEGIN
      EXECUTE STATEMENT STATEMENT_TEXT;
      WHEN ANY DO OUTCOME = 'not recreated (SQLSTATE ' || SQLSTATE || '): see docs/udr.md';
    END
    SUSPEND;
  END
END)sql";

}  // namespace udfzel_gen
