// Carries an exception out of a dialog's event handler. In: a handler body
// that may throw (a message-box handler, a database layer). Out: the dialog
// closed and the exception rethrown by whoever ran it, after exec() returns,
// so that it reaches the export guard instead of crossing Qt's event loop,
// which does not support exceptions.
#pragma once

#include <QDialog>
#include <functional>

namespace ui::internal {

// Runs body; when it throws, keeps the exception and ends dialog (rejected).
void relayed(QDialog& dialog, const std::function<void()>& body);

// Runs dialog modally and rethrows an exception that a relayed body kept.
int execRelayed(QDialog& dialog);

}  // namespace ui::internal
