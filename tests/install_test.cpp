// Checks the installed tree as a desktop sees it.

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string AppId = BITKI_APP_ID;

struct Outcome {
    int status;
    std::string output;
};

// A shell command's exit status and what it wrote, both streams as one.
Outcome run(const std::string& command)
{
    QProcess shell;
    shell.setProcessChannelMode(QProcess::MergedChannels);
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), QString::fromStdString(command)});
    const bool ended = shell.waitForFinished(-1) && shell.exitStatus() == QProcess::NormalExit;
    return {ended ? shell.exitCode() : -1, shell.readAll().toStdString()};
}

std::string read(const fs::path& path)
{
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The value of a key in the main group of a desktop entry.
std::string entryValue(const std::string& entry, const std::string& key)
{
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(key + "=")) {
            return line.substr(key.size() + 1);
        }
    }
    return {};
}

const fs::path Stage = fs::path(BITKI_STAGE) / "usr";
const fs::path Share = Stage / "share";
const fs::path DesktopFile = Share / "applications" / (AppId + ".desktop");
const fs::path MetainfoFile = Share / "metainfo" / (AppId + ".metainfo.xml");

const std::vector<fs::path> InstalledFiles{
    "bin/bitki",
    "share/applications/" + AppId + ".desktop",
    "share/metainfo/" + AppId + ".metainfo.xml",
    "share/icons/hicolor/32x32/apps/" + AppId + ".png",
    "share/icons/hicolor/64x64/apps/" + AppId + ".png",
    "share/icons/hicolor/128x128/apps/" + AppId + ".png",
    "share/icons/hicolor/scalable/apps/" + AppId + ".svg",
    "share/man/man1/bitki.1.gz",
    "share/doc/bitki/changelog.gz",
};

TEST(InstalledTree, HoldsProgramEntryMetadataAndIcons)
{
    for (const fs::path& file : InstalledFiles) {
        EXPECT_TRUE(fs::is_regular_file(Stage / file)) << file;
    }
    const auto permissions = fs::status(Stage / "bin/bitki").permissions();
    EXPECT_NE(permissions & fs::perms::others_exec, fs::perms::none);
}

TEST(InstalledTree, ValidatorsFindNothingToSay)
{
    const Outcome desktop = run("desktop-file-validate '" + DesktopFile.string() + "'");
    EXPECT_EQ(desktop.status, 0) << desktop.output;
    EXPECT_EQ(desktop.output, "");

    const Outcome metainfo = run("appstreamcli validate --no-net '" + MetainfoFile.string() + "'");
    EXPECT_EQ(metainfo.status, 0) << metainfo.output;
    EXPECT_EQ(metainfo.output.find("W:"), std::string::npos) << metainfo.output;
    EXPECT_EQ(metainfo.output.find("E:"), std::string::npos) << metainfo.output;
}

TEST(InstalledTree, DesktopEntryStartsTheProgramWithItsIcon)
{
    const std::string entry = read(DesktopFile);
    EXPECT_EQ(entryValue(entry, "Exec"), "bitki");
    EXPECT_TRUE(fs::is_regular_file(Stage / "bin" / entryValue(entry, "Exec")));
    EXPECT_EQ(entryValue(entry, "Icon"), AppId);
    EXPECT_TRUE(
        fs::is_regular_file(Share / "icons/hicolor/32x32/apps" / (entryValue(entry, "Icon") + ".png")));
    EXPECT_EQ(entryValue(entry, "Name[bg]"), "Битки");
    EXPECT_EQ(entryValue(entry, "Categories"), "Education;History;");
}

TEST(InstalledTree, MetadataCarriesTheProgramVersion)
{
    const std::string metainfo = read(MetainfoFile);
    EXPECT_NE(metainfo.find("<id>" + AppId + "</id>"), std::string::npos);
    EXPECT_NE(metainfo.find("<release version=\"" BITKI_VERSION "\""), std::string::npos);
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + AppId + ".desktop</launchable>"),
        std::string::npos);
}

} // namespace
