// The option keys that the program reads and writes by name, the tables that
// hold them, and the ranges the editor allows.
#pragma once

namespace db::option_keys {

// OptionSetContent
inline constexpr const char* kCheckExpandAbbr = "check_expand_abbr";
inline constexpr const char* kCheckFixCaseUnderlining = "check_fix_case_underlining";
inline constexpr const char* kComboCitationForm = "combo_citation_form";
inline constexpr const char* kComboFixCaseUnderlining = "combo_fix_case_underlining";

// OptionSetFormat
inline constexpr const char* kSpinMarginLeft = "spin_margin_left";
inline constexpr const char* kSpinMarginRight = "spin_margin_right";
inline constexpr const char* kSpinMarginTop = "spin_margin_top";
inline constexpr const char* kSpinMarginBottom = "spin_margin_bottom";
inline constexpr const char* kSpinCitindentFirst = "spin_citindent_first";
inline constexpr const char* kSpinCitindentSubsequent = "spin_citindent_subsequent";
inline constexpr const char* kSpinFontSize = "spin_font_size";
inline constexpr const char* kSpinLineSpacing = "spin_line_spacing";
inline constexpr const char* kSpinPgRefPerLine = "spin_pg_ref_per_line";
inline constexpr const char* kSpinPgRefMax = "spin_pg_ref_max";
inline constexpr const char* kCheckUseDotLeadering = "check_use_dot_leadering";
inline constexpr const char* kCheckLinkPagenums = "check_link_pagenums";
inline constexpr const char* kCheckUsePassim = "check_use_passim";
inline constexpr const char* kComboFontType = "combo_font_type";

// OptionSetSort
inline constexpr const char* kListCatOrderLeft = "list_cat_order_left";
inline constexpr const char* kListCatOrderRight = "list_cat_order_right";
inline constexpr const char* kCheckSplitCases = "check_split_cases";
inline constexpr const char* kCheckSplitStatutes = "check_split_statutes";
inline constexpr const char* kCheckMixedOrderOfAppearance = "check_mixed_order_of_appearance";
inline constexpr const char* kCheckIgnoreLeadingPhrases = "check_ignore_leading_phrases";
inline constexpr const char* kComboAuthSortCases = "combo_auth_sort_cases";
inline constexpr const char* kComboAuthSortStatutes = "combo_auth_sort_statutes";

}  // namespace db::option_keys
