-- The shipped rows besides the dictionary: the settings row, the "Default"
-- option set (its option rows take every value from the column defaults of
-- schema.sql), the "Appellate Brief" set (Default's options with the
-- categories that appellate courts ask for) and the categories of the table.

-- The main dialog lists the sets sorted by name and stores the position of
-- the chosen one: "Default" comes second, after "Appellate Brief".
INSERT INTO Settings (id, selected_option_set) VALUES (1, 1);

INSERT INTO OptionSet (id, name, readonly) VALUES (1, 'Default', 1);
INSERT INTO OptionSetContent (optionset_id) VALUES (1);
INSERT INTO OptionSetFormat (optionset_id) VALUES (1);
INSERT INTO OptionSetSort (optionset_id) VALUES (1);

INSERT INTO OptionSet (id, name, readonly) VALUES (2, 'Appellate Brief', 1);
INSERT INTO OptionSetContent (optionset_id) VALUES (2);
INSERT INTO OptionSetFormat (optionset_id) VALUES (2);
INSERT INTO OptionSetSort (optionset_id, list_cat_order_left, list_cat_order_right) VALUES
  (2, 'Sentencing Guidelines;',
   'Cases;Constitutional Provisions;Statutes;Rules;Regulations;Other Authorities;');

INSERT INTO OptionSetCategories (id, name) VALUES
  (1, 'Cases'),
  (2, 'Cases (Federal)'),
  (3, 'Cases (State)'),
  (4, 'Statutes'),
  (5, 'Statutes (Federal)'),
  (6, 'Statutes (State)'),
  (7, 'Constitutional Provisions'),
  (8, 'Rules'),
  (9, 'Regulations'),
  (10, 'Sentencing Guidelines'),
  (11, 'Other Authorities');
