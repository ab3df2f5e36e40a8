-- The tables of tabauth3.db. The plug-in never creates tables: it reads,
-- inserts, updates and deletes rows of these.
--
-- Ids of dictionary rows and option sets are AUTOINCREMENT so that an id is
-- never handed out twice: a save that replaces rows gives them new ids, and a
-- new option set never meets the option rows left behind by a deleted one.

CREATE TABLE Settings (
  id INTEGER PRIMARY KEY,
  selected_option_set INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE OptionSet (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  name TEXT NOT NULL,
  readonly INTEGER NOT NULL DEFAULT 0
);

-- The three option tables: one row per option set. A new set's row is
-- inserted with only optionset_id, so every column has a non-NULL default;
-- the defaults are the "Default" option set. Float columns are REAL so that
-- their values are stored, and read back, as floats. list_cat_order_left is
-- what the editor offers under "Categories Not Included": a set starts with
-- the categories beyond cases and statutes that its table does not write.
CREATE TABLE OptionSetContent (
  optionset_id INTEGER PRIMARY KEY,
  check_expand_abbr INTEGER NOT NULL DEFAULT 0,
  check_fix_case_underlining INTEGER NOT NULL DEFAULT 1,
  combo_citation_form INTEGER NOT NULL DEFAULT 0,
  combo_fix_case_underlining INTEGER NOT NULL DEFAULT 5
);

CREATE TABLE OptionSetFormat (
  optionset_id INTEGER PRIMARY KEY,
  spin_margin_left REAL NOT NULL DEFAULT 1.0,
  spin_margin_right REAL NOT NULL DEFAULT 1.0,
  spin_margin_top REAL NOT NULL DEFAULT 1.0,
  spin_margin_bottom REAL NOT NULL DEFAULT 1.0,
  spin_citindent_first REAL NOT NULL DEFAULT 0.0,
  spin_citindent_subsequent REAL NOT NULL DEFAULT 0.5,
  spin_font_size INTEGER NOT NULL DEFAULT 12,
  spin_line_spacing REAL NOT NULL DEFAULT 1.0,
  spin_pg_ref_per_line INTEGER NOT NULL DEFAULT 5,
  spin_pg_ref_max INTEGER NOT NULL DEFAULT 5,
  check_use_dot_leadering INTEGER NOT NULL DEFAULT 1,
  check_link_pagenums INTEGER NOT NULL DEFAULT 0,
  check_use_passim INTEGER NOT NULL DEFAULT 1,
  combo_font_type TEXT NOT NULL DEFAULT 'Times New Roman'
);

CREATE TABLE OptionSetSort (
  optionset_id INTEGER PRIMARY KEY,
  list_cat_order_left TEXT NOT NULL DEFAULT
    'Constitutional Provisions;Rules;Regulations;Sentencing Guidelines;Other Authorities;',
  list_cat_order_right TEXT NOT NULL DEFAULT 'Cases;Statutes;',
  check_split_cases INTEGER NOT NULL DEFAULT 0,
  check_split_statutes INTEGER NOT NULL DEFAULT 0,
  check_mixed_order_of_appearance INTEGER NOT NULL DEFAULT 0,
  check_ignore_leading_phrases INTEGER NOT NULL DEFAULT 0,
  combo_auth_sort_cases INTEGER NOT NULL DEFAULT 0,
  combo_auth_sort_statutes INTEGER NOT NULL DEFAULT 1
);

CREATE TABLE OptionSetCategories (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL
);

CREATE TABLE DictionaryEntryTypes (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL
);

-- authority_group, for types 2 and 7: 0 statute, 1 constitution, 2 rule,
-- 3 regulation, 4 guideline. Added after the first release: the code reads a
-- database without it as all statutes and saves into it without the column.
CREATE TABLE DictionaryEntryNames (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  entry_type_id INTEGER NOT NULL,
  name TEXT NOT NULL,
  dictionary_id INTEGER NOT NULL DEFAULT 0,
  created_by INTEGER NOT NULL DEFAULT 0,
  jurisdiction INTEGER NOT NULL DEFAULT 0,
  authority_group INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX DictionaryEntryNamesByType ON DictionaryEntryNames (entry_type_id);
CREATE INDEX DictionaryEntryNamesByName ON DictionaryEntryNames (name);

-- name_type 0: long form of an abbreviation (name_id in
-- DictionaryAbbreviations); 1 valid and 2 invalid representation of an entry
-- name (name_id in DictionaryEntryNames).
CREATE TABLE DictionaryStrings (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  name_id INTEGER,
  name_type INTEGER NOT NULL,
  value TEXT NOT NULL,
  created_by INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX DictionaryStringsByOwner ON DictionaryStrings (name_id);
CREATE INDEX DictionaryStringsByValue ON DictionaryStrings (value);

CREATE TABLE DictionaryAbbreviations (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  name TEXT NOT NULL,
  dictionary_id INTEGER NOT NULL DEFAULT 0,
  created_by INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX DictionaryAbbreviationsByName ON DictionaryAbbreviations (name);
