// The translate seam: English without a translator, the user's language and decimal mark with
// one, and output for programs and files that stays the same in every language and locale.
#include "core/base/Translate.h"
#include "LayoutBuilder.h"
#include "TempFolder.h"
#include "core/app/CheckCommand.h"
#include "core/app/LayoutCheck.h"
#include "core/app/MainWindowRules.h"
#include "core/app/PartsList.h"
#include "core/app/PropertiesModel.h"
#include "core/app/TrackLengths.h"
#include "core/base/Units.h"
#include "core/model/LayoutFile.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace plandor {
namespace {

// Marks every text it translates, so a text that slipped through shows; knows a few German
// plurals; writes decimal commas.
Translator markingTranslator() {
    Translator t;
    t.text = [](const char* text) { return std::string("\xC2\xBB") + text; };
    t.plural = [](const char* singular, const char* plural, unsigned long n) {
        return std::string("\xC2\xBB") + (n == 1 ? singular : plural);
    };
    t.decimalMark = ',';
    return t;
}

// Installs a translator for one test and takes it away again.
struct TranslatorInstalled {
    explicit TranslatorInstalled(Translator t) { setTranslator(std::move(t)); }
    ~TranslatorInstalled() { setTranslator(std::nullopt); }
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Translate, TheInstalledTranslatorAndItsDecimalMark) {
    TranslatorInstalled german(markingTranslator());
    EXPECT_EQ(tr("Ready"), "\xC2\xBBReady");
    EXPECT_EQ(trFormat("Open end at %s", "24188 #2"), "\xC2\xBBOpen end at 24188 #2");
    EXPECT_EQ(formatLength(125, Units::Centimetres), "12,5 cm");
    EXPECT_EQ(formatLength(25.4 * 1.5, Units::Inches), "1,50 in");
    EXPECT_EQ(formatLength(1200, Units::Millimetres), "1200 mm");
    EXPECT_EQ(heightFieldText(45, Units::Centimetres), "4,5");
    EXPECT_EQ(checkSummary({}), "\xC2\xBB"
                                "Check: \xC2\xBB"
                                "0 errors, \xC2\xBB"
                                "0 warnings");
    {
        const UntranslatedScope english;
        EXPECT_EQ(tr("Ready"), "Ready");
        EXPECT_EQ(formatLength(125, Units::Centimetres), "12.5 cm");
    }
    EXPECT_EQ(tr("Ready"), "\xC2\xBBReady") << "the scope gives the translator back";
}

TEST(Translate, ShownNumbersChangeOnlyTheirDecimalPoints) {
    TranslatorInstalled german(markingTranslator());
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"12.5 cm", "12,5 cm"}, {"+1.50 deg (2.6%)", "+1,50 deg (2,6%)"},
        {"Open...", "Open..."}, {".5", ".5"}, // no digit before: not a number this function formats
        {"1200 mm", "1200 mm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shownNumber(c.text), c.shown) << c.text;
}

TEST(Translate, NumbersTypedWithAPointOrTheLanguagesComma) {
    EXPECT_EQ(parseShownNumber("12.5"), 12.5);
    EXPECT_EQ(parseShownNumber("1,200"), std::nullopt) << "English: a thousands separator";

    TranslatorInstalled german(markingTranslator());
    const struct {
        const char* typed;
        std::optional<double> value;
    } cases[] = {
        {"12,5", 12.5}, {"12.5", 12.5}, {" 3 ", 3.0},  {"-0,25", -0.25},
        {"", {}},       {"abc", {}},    {"1,2,3", {}}, {"12,5 cm", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseShownNumber(c.typed), c.value) << '"' << c.typed << '"';
    EXPECT_EQ(parseCarLength("20,5", Units::Centimetres), 205.0);
}

TEST(Translate, LanguageFromTheEnvironment) {
    const auto available = [](const std::string& language) { return language == "de"; };
    const struct {
        const char* name;
        std::map<std::string, std::string> env;
        const char* language;
    } cases[] = {
        {"nothing set", {}, ""},
        {"LANGUAGE on an English system", {{"LANGUAGE", "de"}, {"LANG", "en_GB.UTF-8"}}, "de"},
        {"LANG with codeset", {{"LANG", "de_DE.UTF-8"}}, "de"},
        {"LC_MESSAGES with modifier", {{"LC_MESSAGES", "de_AT.UTF-8@euro"}, {"LANG", "C"}}, "de"},
        {"LC_ALL before LANG", {{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}, ""},
        {"LC_ALL German", {{"LC_ALL", "de_CH.UTF-8"}, {"LANG", "en_US.UTF-8"}}, "de"},
        {"first available of a list", {{"LANGUAGE", "fr:de_DE:en"}}, "de"},
        {"English first in the list", {{"LANGUAGE", "en:de"}}, ""},
        {"unknown language", {{"LANG", "fr_FR.UTF-8"}}, ""},
        {"empty LANGUAGE falls through", {{"LANGUAGE", ""}, {"LANG", "de_DE"}}, "de"},
    };
    for (const auto& c : cases) {
        const auto environment = [&](const char* name) {
            const auto it = c.env.find(name);
            return it == c.env.end() ? std::string() : it->second;
        };
        EXPECT_EQ(chooseLanguage(environment, available), c.language) << c.name;
    }
}

class OutputForPrograms : public ::testing::Test {
  protected:
    void SetUp() override { dir_ = tempFolder(); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string dir_;
};

// A German user with a German C library locale: files, the check lines and the CSV exports are
// byte for byte those of an English one.
TEST_F(OutputForPrograms, AreTheSameInEveryLanguageAndLocale) {
    const std::string golden = std::string(PLANDOR_TEST_DATA) + "/layout_all_sections.plo";
    Layout layout;
    std::string name;
    ASSERT_EQ(loadLayout(layout, golden, name), "");
    Layout crossing = bareLayout();
    addPiece(crossing, "24188", 0, 0);
    addPiece(crossing, "24188", 94.15, -94.15, 90);
    const std::string crossingPath = dir_ + "/crossing.plo";
    ASSERT_EQ(saveLayout(crossing, crossingPath, "crossing"), "");

    const auto outputs = [&] {
        std::vector<std::string> out;
        const std::string saved = dir_ + "/saved.plo";
        EXPECT_EQ(saveLayout(layout, saved, name), "");
        out.push_back(readAll(saved));
        std::ostringstream check, tracks, err;
        runCheckCommand({"--check", crossingPath}, check, err);
        runTracksCommand({"--tracks", crossingPath}, tracks, err);
        out.push_back(check.str());
        out.push_back(tracks.str());
        out.push_back(partsListCsv(crossing, ShopMap{}));
        out.push_back(trackLengthsCsv(crossing));
        return out;
    };
    const std::vector<std::string> english = outputs();
    EXPECT_EQ(english[0], readAll(golden));
    EXPECT_NE(english[1].find("error\tCollision\t"), std::string::npos) << english[1];

    const std::string before = std::setlocale(LC_ALL, nullptr);
#ifdef _WIN32
    // Windows names its locales by language and country.
    const char* const germanLocale = "German_Germany.1252";
#else
    const char* const germanLocale = "de_DE.UTF-8";
#endif
    ASSERT_TRUE(std::setlocale(LC_ALL, germanLocale))
        << "the " << germanLocale << " locale is missing: scripts/install-deps.sh generates it";
    std::vector<std::string> german;
    {
        TranslatorInstalled translator(markingTranslator());
        german = outputs();
    }
    std::setlocale(LC_ALL, before.c_str());
    ASSERT_EQ(german.size(), english.size());
    for (std::size_t i = 0; i < english.size(); ++i)
        EXPECT_EQ(german[i], english[i]) << "output " << i;
}

} // namespace
} // namespace plandor
