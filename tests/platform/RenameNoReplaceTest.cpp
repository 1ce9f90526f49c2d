#include "platform/RenameNoReplace.h"

#include "rename/RuleChain.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <cerrno>
#include <optional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

// Lets failures name the result; found by argument-dependent lookup, hence not in the namespace below.
static void PrintTo(RenameResult result, std::ostream* out) {
    static constexpr const char* names[] = {"Ok",        "TargetExists", "SourceMissing", "Refused",
                                            "HidesFile", "NameTooLong",  "AccessDenied",  "Failed"};
    *out << names[static_cast<int>(result)];
}

namespace {

// File systems that cannot be mounted here, by the failures of their system calls.
int WithoutNoReplaceFlag(int, const char*, int, const char*, unsigned) {
    errno = EINVAL; // FUSE and SMB mounts that do not know RENAME_NOREPLACE
    return -1;
}

int WithoutHardLinks(int, const char*, int, const char*, int) {
    errno = EPERM; // FAT, and mounts that refuse link()
    return -1;
}

// A file system that ignores letter case, laid over the real folder: a name finds the entry that
// matches it whatever the case.
QString caseInsensitiveFolder;

std::optional<QByteArray> EntryMatching(const char* name) {
    const QString wanted = QFile::decodeName(name);
    for (const QString& entry :
         QDir(caseInsensitiveFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return QFile::encodeName(entry);
    return std::nullopt;
}

int CaseInsensitiveStat(int folder, const char* name, struct stat* info, int flags) {
    const auto entry = EntryMatching(name);
    if (!entry) {
        errno = ENOENT;
        return -1;
    }
    return ::fstatat(folder, entry->constData(), info, flags);
}

int CaseInsensitiveRename2(int from, const char* oldName, int to, const char* newName, unsigned flags) {
    if (EntryMatching(newName)) {
        errno = EEXIST;
        return -1;
    }
    return SystemRenameCalls().renameat2(from, oldName, to, newName, flags);
}

int CaseInsensitiveLink(int from, const char* oldName, int to, const char* newName, int flags) {
    if (EntryMatching(newName)) {
        errno = EEXIST;
        return -1;
    }
    return ::linkat(from, oldName, to, newName, flags);
}

struct FileSystemKind {
    const char* name;
    RenameCalls calls;
};

const RenameCalls& System = SystemRenameCalls();
const FileSystemKind kSystem{"System", System};
const FileSystemKind kNoFlag{
    "NoNoReplaceFlag",
    {WithoutNoReplaceFlag, System.linkat, System.unlinkat, System.renameat, System.fstatat}};
const FileSystemKind kNoFlagNoLinks{
    "NoFlagNoHardLinks",
    {WithoutNoReplaceFlag, WithoutHardLinks, System.unlinkat, System.renameat, System.fstatat}};
const FileSystemKind kCaseInsensitive{
    "CaseInsensitive",
    {CaseInsensitiveRename2, CaseInsensitiveLink, System.unlinkat, System.renameat, CaseInsensitiveStat}};
const FileSystemKind kCaseInsensitiveNoFlagNoLinks{
    "CaseInsensitiveNoFlagNoHardLinks",
    {WithoutNoReplaceFlag, WithoutHardLinks, System.unlinkat, System.renameat, CaseInsensitiveStat}};

// One file on disk as the tests compare it: content and inode.
struct FileState {
    QByteArray content;
    ino_t inode = 0;
    bool operator==(const FileState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const FileState& state) {
    return out << "inode " << state.inode << ", content \"" << state.content.toStdString() << '"';
}

class RenameTest : public testing::TestWithParam<const FileSystemKind*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        caseInsensitiveFolder = dir_.path();
    }

    RenameResult Rename(const QString& oldName, const QString& newName) {
        const FolderHandle folder(QFile::encodeName(dir_.path()));
        return RenameNoReplace(folder, oldName.toUtf8(), newName.toUtf8(), GetParam()->calls).Result;
    }

    void Write(const QString& name, const QByteArray& content) {
        QFile file(dir_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    // The state of a file, or nullopt when there is no entry of that name.
    std::optional<FileState> State(const QString& name) const {
        const QByteArray path = QFile::encodeName(dir_.filePath(name));
        struct stat info {};
        if (lstat(path.constData(), &info) != 0) {
            return std::nullopt;
        }
        QFile file(dir_.filePath(name));
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return FileState{content, info.st_ino};
    }

    QStringList Entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir_;
};

TEST(IsPlainFileName, AcceptsNamesOfOneEntryOnly) {
    for (const QByteArray& name :
         {QByteArray("a"), QByteArray(".hidden"), QByteArray("..x"), QByteArray("x.."),
          QByteArray("back\\slash"), QByteArray("\xff\xfe"), QByteArray(" ")})
        EXPECT_TRUE(IsPlainFileName(name)) << name.toStdString();
    for (const QByteArray& name : {QByteArray(), QByteArray("."), QByteArray(".."), QByteArray("a/b"),
                                   QByteArray("x/"), QByteArray("a\0b", 3)})
        EXPECT_FALSE(IsPlainFileName(name)) << name.toStdString();
}

TEST_P(RenameTest, RenamesTheFileItselfKeepingContentAndInode) {
    Write("IMG_0012.JPG", "picture");
    const auto before = State("IMG_0012.JPG");

    EXPECT_EQ(Rename("IMG_0012.JPG", "01 - img_0012.JPG"), RenameResult::Ok);
    EXPECT_EQ(State("01 - img_0012.JPG"), before);
    EXPECT_EQ(Entries(), QStringList{"01 - img_0012.JPG"});

    // A change of letter case alone, where the file system heeds case, is an ordinary rename.
    EXPECT_EQ(Rename("01 - img_0012.JPG", "01 - IMG_0012.JPG"), RenameResult::Ok);
    EXPECT_EQ(Entries(), QStringList{"01 - IMG_0012.JPG"});

    // Unicode names survive the way to the file system and back.
    EXPECT_EQ(Rename("01 - IMG_0012.JPG", "Straße 😀.JPG"), RenameResult::Ok);
    EXPECT_EQ(Entries(), QStringList{"Straße 😀.JPG"});
    EXPECT_EQ(State("Straße 😀.JPG"), before);
}

TEST_P(RenameTest, NeverReplacesAnExistingTarget) {
    Write("a.txt", "mine");
    Write("b.txt", "theirs");
    Write("B.TXT", "other case");
    ASSERT_EQ(symlink("a.txt", QFile::encodeName(dir_.filePath("A.txt")).constData()), 0);
    ASSERT_EQ(link(QFile::encodeName(dir_.filePath("b.txt")).constData(),
                   QFile::encodeName(dir_.filePath("b.TXT")).constData()),
              0);
    const QStringList entries = Entries();
    std::vector<std::optional<FileState>> before;
    for (const QString& name : entries) {
        before.push_back(State(name));
    }

    EXPECT_EQ(Rename("a.txt", "b.txt"), RenameResult::TargetExists);
    EXPECT_EQ(Rename("a.txt", "B.TXT"), RenameResult::TargetExists);
    // A link to the file under a name that differs in case only is not the file itself ...
    EXPECT_EQ(Rename("a.txt", "A.txt"), RenameResult::TargetExists);
    // ... and neither is a second hard link of it.
    EXPECT_EQ(Rename("b.txt", "b.TXT"), RenameResult::TargetExists);

    EXPECT_EQ(Entries(), entries);
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(State(entries[static_cast<qsizetype>(i)]), before[i])
            << entries[static_cast<qsizetype>(i)].toStdString();
    }
}

TEST_P(RenameTest, RefusesNamesThatAreNotPlainAndTouchesNothing) {
    Write("a.txt", "mine");
    ASSERT_TRUE(QDir(dir_.path()).mkdir("sub"));
    const auto before = State("a.txt");

    for (const QString& name : {QString(), QString("."), QString(".."), QString("sub/a.txt"),
                                QString("../a.txt"), QString("a") + QChar(u'\0') + "b"}) {
        EXPECT_EQ(Rename("a.txt", name), RenameResult::Refused) << name.toStdString();
        EXPECT_EQ(Rename(name, "b.txt"), RenameResult::Refused) << name.toStdString();
    }
    EXPECT_EQ(Rename("a.txt", QString(300, 'x')), RenameResult::NameTooLong);

    EXPECT_EQ(State("a.txt"), before);
    EXPECT_EQ(Entries(), (QStringList{"a.txt", "sub"}));
    EXPECT_TRUE(QDir(dir_.filePath("sub")).isEmpty());
}

TEST_P(RenameTest, MissingSourceAndRenameOntoItself) {
    Write("a.txt", "mine");
    const auto before = State("a.txt");

    EXPECT_EQ(Rename("gone.txt", "new.txt"), RenameResult::SourceMissing);
    EXPECT_NE(Rename("gone.txt", "a.txt"), RenameResult::Ok);
    EXPECT_EQ(Rename("gone.txt", "gone.txt"), RenameResult::SourceMissing);
    const FolderHandle gone(QFile::encodeName(dir_.filePath("no such folder")));
    EXPECT_EQ(RenameNoReplace(gone, "a.txt", "b.txt", GetParam()->calls).Result, RenameResult::SourceMissing);

    // The file already has the name asked for.
    EXPECT_EQ(Rename("a.txt", "a.txt"), RenameResult::Ok);
    EXPECT_EQ(State("a.txt"), before);
    EXPECT_EQ(Entries(), QStringList{"a.txt"});
}

TEST_P(RenameTest, AReadOnlyFolderRenamesNothing) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "folder permissions do not bind root";
    }
    Write("a.txt", "mine");
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(Rename("a.txt", "b.txt"), RenameResult::AccessDenied);
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(Entries(), QStringList{"a.txt"});
}

// Another thread creates the target names (exclusively, as a careful program would) while the
// renames run. Whoever comes first keeps the name; no file is replaced or lost.
TEST_P(RenameTest, ATargetCreatedDuringTheRenamesIsNeverReplaced) {
    if (GetParam() == &kNoFlagNoLinks)
        GTEST_SKIP()
            << "without the flag and hard links, a target created between check and rename is replaced";
    constexpr int count = 2000;
    for (int i = 0; i < count; ++i) {
        Write(QString("src%1").arg(i), "mine " + QByteArray::number(i));
    }
    std::vector<char> created(count, 0);
    std::atomic<bool> go{false};
    std::thread rival([&] {
        while (!go.load()) {
        }
        for (int i = 0; i < count; ++i) {
            const QByteArray path = QFile::encodeName(dir_.filePath(QString("dst%1").arg(i)));
            const int fd = open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd >= 0) {
                const QByteArray content = "theirs " + QByteArray::number(i);
                created[static_cast<std::size_t>(i)] =
                    write(fd, content.constData(), static_cast<size_t>(content.size())) == content.size();
                close(fd);
            }
        }
    });
    std::vector<RenameResult> results;
    results.reserve(count);
    go = true;
    for (int i = 0; i < count; ++i) {
        results.push_back(Rename(QString("src%1").arg(i), QString("dst%1").arg(i)));
    }
    rival.join();

    int renamed = 0;
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        const QByteArray mine = "mine " + QByteArray::number(i);
        const auto source = State(QString("src%1").arg(i));
        const auto target = State(QString("dst%1").arg(i));
        ASSERT_TRUE(target.has_value());
        if (results[static_cast<std::size_t>(i)] == RenameResult::Ok) {
            ++renamed;
            EXPECT_FALSE(source.has_value());
            EXPECT_EQ(target->content, mine);
            EXPECT_FALSE(created[static_cast<std::size_t>(i)]);
        } else {
            ASSERT_EQ(results[static_cast<std::size_t>(i)], RenameResult::TargetExists);
            ASSERT_TRUE(source.has_value());
            EXPECT_EQ(source->content, mine);
            EXPECT_EQ(target->content, "theirs " + QByteArray::number(i));
        }
    }
    std::cout << renamed << " of " << count << " renamed, " << count - renamed << " taken first\n";
}

INSTANTIATE_TEST_SUITE_P(Primitives, RenameTest, testing::Values(&kSystem, &kNoFlag, &kNoFlagNoLinks),
                         [](const testing::TestParamInfo<const FileSystemKind*>& param) {
                             return std::string(param.param->name);
                         });

// Where the file system ignores case, the new name "is taken" by the file itself: a change of
// letter case alone must still go through, and a name taken by another file must not.
class CaseInsensitiveRenameTest : public RenameTest {};

TEST_P(CaseInsensitiveRenameTest, ACaseOnlyChangeRenamesTheFileItself) {
    Write("a.JPG", "picture");
    Write("b.jpg", "other");
    const auto before = State("a.JPG");
    EXPECT_EQ(Rename("a.JPG", "a.jpg"), RenameResult::Ok);
    EXPECT_EQ(Entries(), (QStringList{"a.jpg", "b.jpg"}));
    EXPECT_EQ(State("a.jpg"), before);
    EXPECT_EQ(Rename("a.jpg", "B.JPG"), RenameResult::TargetExists);
    EXPECT_EQ(Entries(), (QStringList{"a.jpg", "b.jpg"}));
}

// The extension's case rule makes exactly such a change: "klein" on ".JPG".
TEST_P(CaseInsensitiveRenameTest, TheExtensionInLowerCaseRenamesTheFileItself) {
    Write("IMG_1.JPG", "picture");
    const auto before = State("IMG_1.JPG");
    RenameOptions options;
    options.ExtCase = ExtensionCase::Lower;
    const QString name = NewFileName("IMG_1.JPG", options, std::nullopt, std::nullopt);
    EXPECT_EQ(Rename("IMG_1.JPG", name), RenameResult::Ok);
    EXPECT_EQ(Entries(), QStringList{"IMG_1.jpg"});
    EXPECT_EQ(State("IMG_1.jpg"), before);
}

INSTANTIATE_TEST_SUITE_P(Primitives, CaseInsensitiveRenameTest,
                         testing::Values(&kCaseInsensitive, &kCaseInsensitiveNoFlagNoLinks),
                         [](const testing::TestParamInfo<const FileSystemKind*>& param) {
                             return std::string(param.param->name);
                         });

} // namespace
