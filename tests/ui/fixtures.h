// Shared pieces of the window tests. In: what a test needs around a dialog.
// Out: a private copy of the shipped database that the database path points
// at, every message box recorded and answered, and a hook that acts on the
// next modal dialog once it is open.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "db/connection.h"
#include "platform/platform.h"
#include "tests/platform/fixtures.h"

namespace ui_test {

class UiTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(LEXORDA_SHIPPED_DB, database_);
    db::setDatabasePath(database_);
  }
  void TearDown() override { db::setDatabasePath(""); }

  // Runs SQL on the copy, for setting up rows.
  void exec(const std::string& sql) {
    db::CppSQLite3DB connection;
    connection.open(database_);
    connection.execute(sql);
  }
  // The first column of every row, read straight from the copy.
  std::vector<std::string> column(const std::string& sql) {
    db::CppSQLite3DB connection;
    connection.open(database_);
    std::vector<std::string> values;
    for (db::CppSQLite3Query q = connection.query(sql); !q.eof(); q.nextRow()) values.push_back(q.getString(0, "<null>"));
    return values;
  }

  // Every message box shown, as "caption: text".
  std::vector<std::string> shownTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes_.shown()) texts.push_back(box.caption + ": " + box.text);
    return texts;
  }

  platform_test::TemporaryFolder folder_;
  std::string database_ = folder_.file("tabauth3.db");
  platform::ScriptedMessageBoxHandler boxes_;
  platform::ScopedMessageBoxHandler scopedBoxes_{&boxes_};
};

// Calls action with the next modal dialog once it is open (polling the event
// loop that its exec() runs). The action must close it.
inline void onNextModal(std::function<void(QDialog&)> action) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, action = std::move(action)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(*dialog);
  });
  timer->start(5);
}

}  // namespace ui_test
