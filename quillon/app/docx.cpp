// Converts .docx files with pandoc, run as a child process through QProcess;
// see docx.h.
#include "quillon/app/docx.h"

#include <QByteArray>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "quillon/format/markdown.h"

namespace quillon::app {
namespace {

constexpr int kPandocTimeoutMs = 120000;

struct PandocRun {
  QByteArray out;
  std::string error;
};

// Runs pandoc with arguments, feeding input on its standard input.
PandocRun runPandoc(const QStringList& arguments, const QByteArray& input, const std::string& what) {
  QProcess pandoc;
  pandoc.setProgram(QStringLiteral("pandoc"));
  pandoc.setArguments(arguments);
  pandoc.start();
  if (!pandoc.waitForStarted()) {
    return {{}, "pandoc, which converts .docx files, is not installed or not on PATH, so " + what +
                    " cannot be converted. Install pandoc (Debian: apt-get install pandoc) and try again."};
  }
  pandoc.write(input);
  pandoc.closeWriteChannel();
  if (!pandoc.waitForFinished(kPandocTimeoutMs)) {
    pandoc.kill();
    pandoc.waitForFinished();
    return {{}, "pandoc did not finish converting " + what + " within two minutes."};
  }
  if (pandoc.exitStatus() != QProcess::NormalExit || pandoc.exitCode() != 0) {
    const std::string said = pandoc.readAllStandardError().trimmed().toStdString();
    return {{}, "pandoc could not convert " + what + (said.empty() ? "." : ": " + said)};
  }
  return {pandoc.readAllStandardOutput(), {}};
}

// Replaces every `from` in text by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The Markdown export as pandoc must read it for a .docx: a hard page break
// as a raw page break (a bare \newpage is TeX, which pandoc drops there), and
// the run of dots that stands for a dot-leader tab as a raw absolute tab,
// right-aligned at the margin with a dot leader, as the host sets it.
std::string forDocx(const std::string& markdown) {
  const std::string paged =
      replaced("\n" + markdown, "\n\\newpage\n", "\n```{=openxml}\n<w:p><w:r><w:br w:type=\"page\"/></w:r></w:p>\n```\n");
  return replaced(paged.substr(1), " ..... ",
                  " `<w:r><w:ptab w:relativeTo=\"margin\" w:alignment=\"right\" w:leader=\"dot\"/></w:r>`{=openxml} ");
}

// pandoc's Markdown writes a .docx's non-breaking spaces as U+00A0; the
// host's hard space is the Markdown "\ ".
std::string withHardSpaces(std::string markdown) {
  for (std::size_t at = markdown.find("\xC2\xA0"); at != std::string::npos; at = markdown.find("\xC2\xA0", at + 2))
    markdown.replace(at, 2, "\\ ");
  return markdown;
}

}  // namespace

bool isDocxPath(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".docx";
}

DocxImport importDocx(const std::string& path) {
  const QFileInfo file(QString::fromStdString(path));
  if (!file.isFile()) return {{}, {}, "cannot open " + path + ": no such file"};
  // Absolute, so that a name starting with "-" never reads as an option.
  const PandocRun run = runPandoc({QStringLiteral("-f"), QStringLiteral("docx"), QStringLiteral("-t"),
                                   QStringLiteral("markdown-smart"), QStringLiteral("--wrap=none"),
                                   file.absoluteFilePath()},
                                  {}, path);
  if (!run.error.empty()) return {{}, {}, run.error};
  format::MarkdownImport imported =
      format::importMarkdown(withHardSpaces(std::string(run.out.constData(), static_cast<std::size_t>(run.out.size()))));
  return {std::move(imported.content), std::move(imported.warnings), {}};
}

DocxExport exportDocx(const doc::Document& document) {
  const std::string markdown = forDocx(format::exportMarkdown(document));
  PandocRun run = runPandoc({QStringLiteral("-f"), QStringLiteral("markdown-smart"), QStringLiteral("-t"),
                             QStringLiteral("docx"), QStringLiteral("-o"), QStringLiteral("-")},
                            QByteArray(markdown.data(), static_cast<qsizetype>(markdown.size())),
                            "the document");
  if (!run.error.empty()) return {{}, run.error};
  return {std::string(run.out.constData(), static_cast<std::size_t>(run.out.size())), {}};
}

}  // namespace quillon::app
