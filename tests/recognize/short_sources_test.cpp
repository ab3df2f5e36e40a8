// Where an Id. or a supra points when other sources stand in between: a
// record or brief ends the reach of the authority before it; an
// authority cited inside "(citing ...)" is not the one Id. means; "Frias,
// supra" finds the one case with that party, and nothing when two share it.
#include <gtest/gtest.h>

#include <string>

#include "tests/recognize/factories.h"

namespace recognize::testing {
namespace {

TEST(LaterReferences, WhatTheyReferTo) {
  const char* const smith = "Smith v. Jones, 123 U.S. 456 (1990). ";
  const struct { const char* name; std::string markdown; const char* found; } rows[] = {
      {"Id. after a record cite", std::string(smith) + "Pet. App. 6a. See id. at 5a; J.A. 45; id.",
       "Smith v. Jones, 123 U.S. 456 (1990) x1"},
      {"Id. after a brief", std::string(smith) + "Opening Br. at 12. Id. at 13. (AOB 12; ibid.)",
       "Smith v. Jones, 123 U.S. 456 (1990) x1"},
      {"Ibid. after a treatise means the treatise", std::string(smith) + "1 W. LaFave, Substantive Criminal Law § 6.2 "
       "(3d ed. 2017). Ibid.", "Smith v. Jones, 123 U.S. 456 (1990) x1 | 1 W. LaFave, Substantive Criminal Law § 6.2 "
       "(3d ed. 2017) x2"},
      {"Id. after a case still counts", std::string(smith) + "Id. at 460.", "Smith v. Jones, 123 U.S. 456 (1990) x2"},
      {"Id. means the citing case", "State v. Ames, 12 Wn.2d 34 (1990) (citing State v. Bell, 5 Wn. App. 6 (1971)). "
       "Id. at 40.", "State v. Ames, 12 Wn.2d 34 (1990) x2 | State v. Bell, 5 Wn. App. 6 (1971) x1"},
      {"and after quoting", "Doe v. Roe, 1 F.3d 2 (9th Cir. 1993) (quoting Poe v. Moe, 3 F.4th 5 (9th Cir. 2021)). "
       "Id.", "Doe v. Roe, 1 F.3d 2 (9th Cir. 1993) x2 | Poe v. Moe, 3 F.4th 5 (9th Cir. 2021) x1"},
      {"supra by the first party, with a pinpoint", "Frias v. Asset Foreclosure Servs., 154 Wn.2d 430 (2005). Frias, "
       "supra, 154 Wn.2d at 440. Asset Foreclosure, supra.", "Frias v. Asset Foreclosure Servs., 154 Wn.2d 430 "
       "(2005) x3"},
      {"two cases share the party", "Frias v. Asset Foreclosure Servs., 154 Wn.2d 430 (2005); *State v. Frias*, 1 "
       "Wn.2d 2 (1940). *Frias*, supra. Frias, supra.", "Frias v. Asset Foreclosure Servs., 154 Wn.2d 430 (2005) x1 "
       "| State v. Frias, 1 Wn.2d 2 (1940) x1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(summary(recognizeMarkdown(row.markdown)), row.found);
  }
}

}  // namespace
}  // namespace recognize::testing
