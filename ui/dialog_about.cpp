// Builds the About box from its template, gives its three bound labels their
// fonts and opens the legal notice and the licence in the text viewer.
#include "ui/dialog_about.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "host/process_values.h"
#include "ui/dialog_display_text_file.h"
#include "ui/dialog_template.h"
#include "ui/internal/exception_relay.h"

namespace ui {
namespace {

constexpr TemplateControl kControls[] = {
    {CDialogAbout::kLegalNoticesId, ControlKind::Button, "legalNotices", "&Legal Notices...", {43, 107, 57, 14}},
    {CDialogAbout::kLicenseId, ControlKind::Button, "license", "L&icense...", {102, 107, 57, 14}},
    {CDialogAbout::kOkId, ControlKind::DefaultButton, "ok", "&OK", {161, 107, 57, 14}},
    {CDialogAbout::kCompanyId, ControlKind::Label, "company", "", {36, 22, 43, 21}},
    {CDialogAbout::kProductId, ControlKind::Label, "product", "Lexorda", {36, 41, 199, 17}},
    {CDialogAbout::kVersionId, ControlKind::Label, "version", "v1.5", {38, 60, 45, 13}},
    {CDialogAbout::kTaglineId, ControlKind::Label, "tagline", "Tables of Authorities for legal documents.",
     {39, 92, 189, 13}},
    {CDialogAbout::kRegisteredId, ControlKind::Label, "registered", "", {72, 22, 26, 12}},
};

// The labels' fonts are given as cell heights in pixels; Qt's pixel size is
// the nearest thing it offers.
QFont arial(int pixelHeight, bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  return font;
}

// A label in a large font keeps its template position but grows to its text,
// which the template's size was not made for in every font.
void fitToText(QLabel& label) {
  const QSize needed = label.sizeHint();
  label.resize(std::max(label.width(), needed.width()), std::max(label.height(), needed.height()));
}

}  // namespace

CDialogAbout::CDialogAbout(QWidget* parent) : QDialog(parent) {
  buildFromTemplate(*this, "About Lexorda", 263, 133, kControls);
  auto* company = control<QLabel>(*this, kCompanyId);
  auto* product = control<QLabel>(*this, kProductId);
  auto* registered = control<QLabel>(*this, kRegisteredId);
  company->setText(QStringLiteral("Velmor"));
  registered->setText(QString(QChar(0xAE)));
  company->setFont(arial(25, false));
  product->setFont(arial(30, true));
  registered->setFont(arial(15, false));
  for (QLabel* label : {company, product, registered}) fitToText(*label);
  // The sign belongs at the top right of the name, wherever the name ends.
  registered->move(std::max(registered->x(), company->geometry().right() + 1), registered->y());
  registered->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  company->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  connect(control<QPushButton>(*this, kLegalNoticesId), &QPushButton::clicked, this, [this] {
    internal::relayed(*this, [] { showTextFile("Legal Notices", host::processValues().legalNoticePath); });
  });
  connect(control<QPushButton>(*this, kLicenseId), &QPushButton::clicked, this, [this] {
    internal::relayed(*this, [] { showTextFile("License", host::processValues().licenceTextPath); });
  });
  connect(control<QPushButton>(*this, kOkId), &QPushButton::clicked, this, &QDialog::accept);
}

void showAbout() {
  CDialogAbout dialog;
  internal::execRelayed(dialog);
}

}  // namespace ui
