// The long brief that the table-run benchmarks read: running text with
// citations of 300 authorities (200 cases, 60 statutes, 40 rules) drawn from a
// fixed seed, a few of them cited far more often than the rest, with
// footnotes and short forms. In: the number of citation occurrences (1,500
// make about 200 pages). Out: the brief as Markdown for the host's importer.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace bench {

inline constexpr int kCases = 200;
inline constexpr int kStatutes = 60;
inline constexpr int kRules = 40;
inline constexpr int kOccurrences = 1500;  // a 200-page brief
inline constexpr int kWordsBetweenCitations = 32;  // with the citations' own words, about 60,000
// A brief is double-spaced: about 300 words, two paragraphs, to a page.
inline constexpr int kWordsPerParagraph = 109;  // words of running text, citations aside
inline constexpr int kParagraphsPerPage = 2;
inline constexpr int kFootnoteEvery = 5;

inline const char* const kSurnames[] = {
    "Smith", "Jones", "Garcia", "Miller", "Davis", "Rodriguez", "Martinez", "Hernandez", "Lopez", "Wilson",
    "Anderson", "Thomas", "Taylor", "Moore", "Jackson", "Martin", "Lee", "Perez", "Thompson", "White", "Harris",
    "Sanchez", "Clark", "Ramirez", "Lewis", "Robinson", "Walker", "Young", "Allen", "King", "Wright", "Scott",
    "Torres", "Nguyen", "Hill", "Flores"};

// A reporter, and the court its parenthetical names (empty: none).
struct Reporter { const char* name; const char* court; };
inline const Reporter kReporters[] = {
    {"U.S.", ""}, {"S. Ct.", ""}, {"F.2d", "9th Cir. "}, {"F.3d", "2d Cir. "}, {"F.4th", "5th Cir. "},
    {"F. Supp. 2d", "S.D.N.Y. "}, {"Cal. 4th", ""}, {"P.3d", "Colo. "}, {"N.E.2d", "Mass. "}, {"A.2d", "Pa. "},
    {"So. 2d", "Fla. "}, {"N.W.2d", "Minn. "}};

inline const char* const kFiller[] = {
    "the", "court", "held", "that", "plaintiff", "failed", "to", "state", "a", "claim", "under", "which", "relief",
    "may", "be", "granted", "because", "defendant", "acted", "within", "scope", "of", "its", "authority", "and",
    "record", "shows", "no", "genuine", "dispute", "as", "any", "material", "fact", "moreover", "contract", "was",
    "never", "formed", "between", "parties", "whose"};

struct Case { std::string first, second, reporter, court; int volume = 0, page = 0, year = 0; };

// The brief, with its authorities drawn from a fixed seed.
inline std::string generateBrief(int occurrences) {
  std::mt19937 random(20261206);
  auto pick = [&random](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
  constexpr int surnames = static_cast<int>(std::size(kSurnames));

  std::vector<Case> cases;
  // Distinct name pairs: the i-th pair of the surname square.
  for (int i = 0; i < kCases; ++i)
    cases.push_back({kSurnames[i % surnames], kSurnames[(i / surnames + i + 1) % surnames],
                     kReporters[i % std::size(kReporters)].name, kReporters[i % std::size(kReporters)].court,
                     10 + pick(890), 1 + pick(1400), 1950 + pick(70)});
  std::vector<std::string> statutes;
  for (int i = 0; i < kStatutes; ++i)
    statutes.push_back(i % 4 == 3 ? "Cal. Civ. Code § " + std::to_string(1700 + i)
                                  : std::to_string(5 + i % 45) + " U.S.C. § " + std::to_string(100 + 17 * i));
  std::vector<std::string> rules;
  const char* const ruleNames[] = {"Fed. R. Civ. P.", "Fed. R. Evid.", "Fed. R. App. P.", "Fed. R. Crim. P."};
  for (int i = 0; i < kRules; ++i) rules.push_back(std::string(ruleNames[i % 4]) + " " + std::to_string(1 + i));

  std::vector<bool> citedBefore(kCases + kStatutes + kRules, false);
  std::string body, notes;
  int previous = -1, noteCount = 0, wordsInParagraph = 0, paragraphCount = 0;
  for (int n = 0; n < occurrences; ++n) {
    for (int w = 0; w < kWordsBetweenCitations; ++w) {
      body += kFiller[pick(static_cast<int>(std::size(kFiller)))];
      const bool sentenceEnds = w % 13 == 12;
      body += sentenceEnds ? ". " : " ";
      if (++wordsInParagraph >= kWordsPerParagraph && sentenceEnds) {
        body += ++paragraphCount % kParagraphsPerPage == 0 ? "\n\n\\newpage\n\n" : "\n\n";
        wordsInParagraph = 0;
      }
    }
    // A few authorities are cited far more often than the rest, as in briefs.
    const int authority = pick(4) == 0 ? pick(20) : pick(kCases + kStatutes + kRules);
    std::string cite;
    if (authority == previous && pick(2) == 0) {
      cite = "*Id.* at " + std::to_string(2 + pick(50)) + ".";
    } else if (authority < kCases) {
      const Case& c = cases[static_cast<std::size_t>(authority)];
      const std::string pin = std::to_string(c.page + 1 + pick(20));
      const std::string volume = std::to_string(c.volume) + " " + c.reporter;
      if (!citedBefore[static_cast<std::size_t>(authority)] || pick(3) == 0) {
        cite = "*" + c.first + " v. " + c.second + "*, " + volume + " " + std::to_string(c.page) + ", " + pin + " (" +
               c.court + std::to_string(c.year) + ").";
      } else {
        cite = (pick(2) == 0 ? "*" + c.first + "*, " : std::string()) + volume + " at " + pin + ".";
      }
    } else if (authority < kCases + kStatutes) {
      cite = statutes[static_cast<std::size_t>(authority - kCases)] + ".";
    } else {
      // One subdivision per rule, so that each rule stays one authority.
      cite = rules[static_cast<std::size_t>(authority - kCases - kStatutes)] + "(" +
             std::string(1, static_cast<char>('a' + authority % 4)) + ").";
    }
    citedBefore[static_cast<std::size_t>(authority)] = true;
    previous = authority;
    if (n % kFootnoteEvery == kFootnoteEvery - 1) {
      ++noteCount;
      body += "held so.[^" + std::to_string(noteCount) + "] ";
      notes += "[^" + std::to_string(noteCount) + "]: See " + cite + "\n\n";
      previous = -1;  // a note's text starts without a previous citation
    } else {
      body += "See " + cite + " ";
    }
  }
  return body + "\n\n" + notes;
}

}  // namespace bench
