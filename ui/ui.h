// The plug-in's windows in one include: the main dialog, the About box, the
// input dialog, the text viewer, the option set editor, the dictionary
// editor, the custom controls, the list helpers and the template builder
// they share.
//
// Errors: message boxes through platform::messageBox with the product's
// texts; exceptions from a dialog's handlers close it and are rethrown by
// whoever ran it (each header says which).
#pragma once

#include "ui/colored_item_controls.h"
#include "ui/dialog_about.h"
#include "ui/dialog_display_text_file.h"
#include "ui/dialog_input.h"
#include "ui/dialog_main.h"
#include "ui/dialog_progress_bar.h"
#include "ui/dialog_template.h"
#include "ui/dictionary_sheet.h"
#include "ui/font_preview_combo.h"
#include "ui/list_helpers.h"
#include "ui/num_spin_ctrl.h"
#include "ui/option_set_sheet.h"
#include "ui/proppage_abbreviations.h"
#include "ui/proppage_citations.h"
#include "ui/qt_file_dialog.h"
