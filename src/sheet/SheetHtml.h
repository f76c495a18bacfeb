#pragma once

#include "SheetMarkup.h"
#include "calc/InstallationSheetTexts.h"
#include "calc/SiteSheetTexts.h"

#include <QString>

namespace brellic {

// The title over each site's (and each supply's) sheet.
inline constexpr const char* kSheetTitle = "Power Supply Calculation Sheet";

// A site's sheet as a complete HTML page.
SheetMarkup SiteHtml(const SiteSheetTexts& figures, const QString& title, const QString& date);
// An installation's: the overview of its supplies and the system's verdict,
// then each supply's sheet from a new page, and one signature block at the end.
SheetMarkup InstallationHtml(const InstallationSheetTexts& figures, const QString& title,
                             const QString& date);

// A site's sheet below its title: the site, its devices, both verdicts and
// the working, down to the recharge time; underSummary stands below the
// verdicts.
void SiteSections(SheetMarkup& h, const SiteSheetTexts& f, const QString& date,
                  const QString& underSummary = {});
// Left empty for whoever checks the sheet; once, at its very end.
void CheckedBlock(SheetMarkup& h);

} // namespace brellic
