#include "platform/files.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QStringList kDefaults = {"Prem.eff", "Pub.eff", "Site.eff", "Pub1.gif", "MainTacheG.ico"};

using test::readBytes;
using test::writeBytes;

// The defaults, each with bytes of its own, as the build or the install lays them out.
void writeDefaults(const QString& folder) {
    for (const QString& name : kDefaults)
        writeBytes(QDir(folder).filePath(name), "default " + name.toLatin1() + "\r\n");
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

enum class Layout {
    BuildTree,          // <build>/src/tirelix, the defaults copied beside it
    Installed,          // <prefix>/bin/tirelix, the defaults in <prefix>/share/tirelix
    PortableInBin,      // a copy in a folder named bin, the defaults beside it
    BinWithEmptyShare,  // the same, and an unrelated <prefix>/share/tirelix without defaults
    ReadOnlyPortable,   // a copy on a read-only medium, the defaults beside it
    ReadOnlyNoDefaults, // a bare program in a read-only folder
};

struct FolderCase {
    const char* name;
    Layout layout;
    bool perUser;
    bool seeded;
};

class ProgramFolderChoice : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ProgramFolderChoice, KeepsStateInTheRightFolder) {
    const FolderCase& c = GetParam();
    const bool readOnly =
        c.layout == Layout::ReadOnlyPortable || c.layout == Layout::ReadOnlyNoDefaults;
    if (readOnly && geteuid() == 0)
        GTEST_SKIP() << "root writes to any folder";
    QTemporaryDir root;
    const QString exe = root.filePath(c.layout == Layout::BuildTree ? "build/src" : "prefix/bin");
    const QString share = root.filePath("prefix/share/tirelix");
    const QString perUser = root.filePath("home/.local/share/tirelix");
    QDir().mkpath(exe);
    writeBytes(QDir(exe).filePath("tirelix"), "program");
    switch (c.layout) {
    case Layout::Installed:
        writeDefaults(share);
        break;
    case Layout::BinWithEmptyShare:
        QDir().mkpath(share);
        [[fallthrough]];
    case Layout::BuildTree:
    case Layout::PortableInBin:
    case Layout::ReadOnlyPortable:
        writeDefaults(exe);
        break;
    case Layout::ReadOnlyNoDefaults:
        break;
    }
    const QStringList exeFilesBefore = filesIn(exe);
    if (readOnly)
        QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner);

    const QString chosen = ui::ProgramFolderFor(exe, perUser);
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_EQ(chosen, c.perUser ? perUser : exe);
    EXPECT_EQ(filesIn(exe), exeFilesBefore);
    if (!c.perUser) {
        EXPECT_FALSE(QFileInfo::exists(perUser));
    }
    if (c.seeded) {
        const QString source = c.layout == Layout::Installed ? share : exe;
        EXPECT_EQ(filesIn(perUser).size(), kDefaults.size());
        for (const QString& name : kDefaults) {
            EXPECT_EQ(readBytes(QDir(perUser).filePath(name)),
                      readBytes(QDir(source).filePath(name)))
                << name.toStdString();
        }
    } else if (c.perUser) {
        EXPECT_TRUE(filesIn(perUser).isEmpty());
    }
    // The note pages: beside a portable copy (each time); state kept per user, in a hidden
    // folder, sends them to the user's documents, or home without one.
    const QString home = root.filePath("home");
    const auto restore = qScopeGuard([old = qgetenv("HOME")] { qputenv("HOME", old); });
    qputenv("HOME", QFile::encodeName(home));
    for (const QString& documents : {home, home + "/Documents"}) {
        QDir().mkpath(documents);
        EXPECT_EQ(ui::NotePageFolderFor(chosen, exe), c.perUser ? documents : QString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Start, ProgramFolderChoice,
    ::testing::Values(FolderCase{"BuildTree", Layout::BuildTree, false, false},
                      FolderCase{"Installed", Layout::Installed, true, true},
                      FolderCase{"PortableInBin", Layout::PortableInBin, false, false},
                      FolderCase{"BinWithEmptyShare", Layout::BinWithEmptyShare, false, false},
                      FolderCase{"ReadOnlyPortable", Layout::ReadOnlyPortable, true, true},
                      FolderCase{"ReadOnlyNoDefaults", Layout::ReadOnlyNoDefaults, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A later start finds the user's own state and the leftover of a seeding cut short; missing
// defaults seed nothing in their place.
TEST(SeedProgramFolder, KeepsTheUsersFilesAndNeverTakesAHalfCopy) {
    QTemporaryDir root;
    const QString defaults = root.filePath("share/tirelix");
    const QDir perUser(root.filePath("data/tirelix"));
    writeDefaults(defaults);
    QFile::remove(QDir(defaults).filePath("MainTacheG.ico"));
    writeBytes(perUser.filePath("Prem.eff"), "\"1\"\r\n");
    writeBytes(perUser.filePath("Pub.eff"), "");
    writeBytes(perUser.filePath("Site.eff.seed"), "\"https://cut.exam");
    writeBytes(perUser.filePath("notes.cxt"), "{\\rtf1 }");

    ui::SeedProgramFolder(defaults, perUser.path());

    EXPECT_EQ(readBytes(perUser.filePath("Prem.eff")), "\"1\"\r\n");
    EXPECT_EQ(readBytes(perUser.filePath("Pub.eff")), "");
    EXPECT_EQ(readBytes(perUser.filePath("Site.eff")), "default Site.eff\r\n");
    EXPECT_EQ(readBytes(perUser.filePath("notes.cxt")), "{\\rtf1 }");
    EXPECT_EQ(filesIn(perUser.path()),
              (QStringList{"Prem.eff", "Pub.eff", "Pub1.gif", "Site.eff", "notes.cxt"}));
}

// Under a state file's name, a link to a file elsewhere, a dangling link or a folder: read as
// missing; a write replaces a link by a file, its target untouched, and leaves a folder whole.
TEST(StateFiles, LinksAndFoldersCountAsMissingAndAreNeverWrittenThrough) {
    QTemporaryDir root;
    for (const QString name : {"Prem.eff", "Pub.eff", "Site.eff", "Pub2.gif"}) {
        for (const QString kind : {"ailleurs", "perdu", "dossier"}) {
            const QString path = root.filePath(kind + name),
                          target = root.filePath("cible/" + kind);
            if (kind != "perdu")
                writeBytes(kind == "dossier" ? path + "/garde" : target, "\"1\"\r\n");
            ASSERT_TRUE(kind == "dossier" || QFile::link(target, path));
            EXPECT_EQ(ui::ReadWholeFile(path, 100), std::nullopt) << path.toStdString();
            EXPECT_EQ(ui::WriteFileAtomically(path, "\"0\"\r\n"), kind != "dossier");
            EXPECT_EQ(readBytes(path), kind == "dossier" ? "<missing>" : "\"0\"\r\n");
            EXPECT_EQ(readBytes(kind == "dossier" ? path + "/garde" : target),
                      kind == "perdu" ? "<missing>" : "\"1\"\r\n");
        }
    }
}

} // namespace
