// Sets a Markdown document as a PDF of letter pages with a page number at the
// foot of each: the user guide that ships in the installation folder is
// written in Markdown under data/ and set at build time. Pictures named
// relative to the Markdown file are drawn no wider than the text.
//
// Usage: markdown_to_pdf IN.md OUT.pdf
// Exit status: 0 written; 1 bad command line, unreadable input, missing
// picture or unwritable output (the reason on standard error). Runs without a
// display: Qt's offscreen platform is used unless QT_QPA_PLATFORM says else.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The writer's margins; print() sets 2 cm more inside them.
constexpr double kMarginPoints = 18;
// The text's width in the layout's units, 1/96 inch (the pitch at which the
// screenshots were taken, so a dialog that fits is shown at its size).
constexpr double kTextWidth = (612 - 2 * kMarginPoints - 2 * 72 * 2 / 2.54) * 96 / 72;

int fail(const char* what, const QString& path) {
  std::fprintf(stderr, "markdown_to_pdf: %s: %s\n", what, path.toLocal8Bit().constData());
  return 1;
}

// Gives every picture a width that fits the text; false (with the
// picture's name in `missing`) when a picture cannot be read.
bool fitPictures(QTextDocument& document, const QString& folder, QString& missing) {
  struct Picture {
    int position, length;
    QTextImageFormat format;
  };
  std::vector<Picture> pictures;  // changed after the walk, which a change would upset
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextImageFormat format = fragment.charFormat().toImageFormat();
      if (format.isValid()) pictures.push_back({fragment.position(), fragment.length(), format});
    }
  }
  for (Picture& p : pictures) {
    const QString path = QDir(folder).absoluteFilePath(QUrl(p.format.name()).path());
    const QImage image(path);
    if (image.isNull()) {
      missing = path;
      return false;
    }
    document.addResource(QTextDocument::ImageResource, QUrl(p.format.name()), image);
    const double width = std::min<double>(kTextWidth, image.width());
    p.format.setWidth(width);
    p.format.setHeight(width * image.height() / image.width());
    QTextCursor cursor(&document);
    cursor.setPosition(p.position);
    cursor.setPosition(p.position + p.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(p.format);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: markdown_to_pdf IN.md OUT.pdf\n");
    return 1;
  }
  const QString input = QString::fromLocal8Bit(argv[1]);
  const QString output = QString::fromLocal8Bit(argv[2]);
  QFile source(input);
  if (!source.open(QIODevice::ReadOnly)) return fail("cannot read", input);

  QPdfWriter writer(output);
  writer.setTitle(QStringLiteral("Lexorda User Guide"));
  writer.setCreator(QStringLiteral("Lexorda"));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                   QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints)));
  QTextDocument document;
  QFont body(QStringLiteral("DejaVu Sans"));
  body.setPointSizeF(10.5);
  // No ligatures: a reader who searches the guide for a message's text, or
  // copies a command from it, gets the letters typed here.
  body.setStyleStrategy(QFont::PreferNoShaping);
  document.setDefaultFont(body);
  document.setMarkdown(QString::fromUtf8(source.readAll()));
  QString missing;
  if (!fitPictures(document, QFileInfo(input).absolutePath(), missing)) return fail("cannot read picture", missing);
  // print() lays the text out in pages of the writer's size and numbers
  // them at the foot, since the document sets no page size of its own.
  document.print(&writer);
  return QFileInfo(output).size() > 0 ? 0 : fail("cannot write", output);
}
