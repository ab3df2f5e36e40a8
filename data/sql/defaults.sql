-- The shipped rows besides the dictionary: the settings row, the "Default"
-- option set (its option rows take every value from the column defaults of
-- schema.sql) and the categories of the table.

INSERT INTO Settings (id, selected_option_set) VALUES (1, 0);

INSERT INTO OptionSet (id, name, readonly) VALUES (1, 'Default', 1);
INSERT INTO OptionSetContent (optionset_id) VALUES (1);
INSERT INTO OptionSetFormat (optionset_id) VALUES (1);
INSERT INTO OptionSetSort (optionset_id) VALUES (1);

INSERT INTO OptionSetCategories (id, name) VALUES
  (1, 'Cases'),
  (2, 'Cases (Federal)'),
  (3, 'Cases (State)'),
  (4, 'Statutes'),
  (5, 'Statutes (Federal)'),
  (6, 'Statutes (State)');
