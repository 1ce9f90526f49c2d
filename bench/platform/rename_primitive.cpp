// The no-replace rename against a plain rename(), over 10,000 files of one folder.
// Usage: rename_primitive [folder] [files] [rounds]  (folder: where the files are made; default
// a temporary folder under TMPDIR). Prints the median time per file of each way and its ratio
// to the plain rename() measured in the same run.

#include "platform/RenameNoReplace.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace {

struct Way {
    const char* name;
    // Renames file i from its "from" name to its "to" name.
    std::function<bool(int)> rename;
    std::vector<double> microsPerFile;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir tempDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + "/rename_primitive-XXXXXX"
                                   : QDir::tempPath() + "/rename_primitive-XXXXXX");
    const int files = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 7;
    if (!tempDir.isValid() || files <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: rename_primitive [folder] [files] [rounds]\n");
        return 2;
    }
    const QString folder = tempDir.path();

    QStringList fromNames;
    QStringList toNames;
    std::vector<QByteArray> fromBytes;
    std::vector<QByteArray> toBytes;
    std::vector<QByteArray> fromPaths;
    std::vector<QByteArray> toPaths;
    for (int i = 0; i < files; ++i) {
        fromNames << QString("IMG_%1.JPG").arg(i, 5, 10, QChar('0'));
        toNames << QString("%1 - IMG_%1.JPG").arg(i, 5, 10, QChar('0'));
        fromBytes.push_back(fromNames.back().toUtf8());
        toBytes.push_back(toNames.back().toUtf8());
        fromPaths.push_back(QFile::encodeName(folder + '/' + fromNames.back()));
        toPaths.push_back(QFile::encodeName(folder + '/' + toNames.back()));
        const int fd = open(fromPaths.back().constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 || write(fd, "x", 1) != 1) {
            std::perror("creating the files");
            return 1;
        }
        close(fd);
    }

    const auto index = [](int i) { return static_cast<std::size_t>(i); };
    const FolderHandle handle(QFile::encodeName(folder));
    RenameCalls withoutFlag = SystemRenameCalls();
    withoutFlag.renameat2 = [](int, const char*, int, const char*, unsigned) {
        errno = EINVAL;
        return -1;
    };
    std::vector<Way> ways = {
        {"rename() (replaces; baseline)",
         [&](int i) {
             return std::rename(fromPaths[index(i)].constData(), toPaths[index(i)].constData()) == 0;
         },
         {}},
        {"renameat2 NOREPLACE, bare call",
         [&](int i) {
             return syscall(SYS_renameat2, AT_FDCWD, fromPaths[index(i)].constData(), AT_FDCWD,
                            toPaths[index(i)].constData(), RENAME_NOREPLACE) == 0;
         },
         {}},
        {"RenameNoReplace (folder handle, checks)",
         [&](int i) {
             return RenameNoReplace(handle, fromBytes[index(i)], toBytes[index(i)]).Result ==
                    RenameResult::Ok;
         },
         {}},
        {"RenameNoReplace, link fallback",
         [&](int i) {
             return RenameNoReplace(handle, fromBytes[index(i)], toBytes[index(i)], withoutFlag).Result ==
                    RenameResult::Ok;
         },
         {}},
        {"QFile::rename",
         [&](int i) { return QFile::rename(folder + '/' + fromNames[i], folder + '/' + toNames[i]); },
         {}},
    };

    for (int round = 0; round < rounds; ++round) {
        // Alternate the order of the ways so that none always runs on a warm or cold cache.
        for (std::size_t k = 0; k < ways.size(); ++k) {
            Way& way = ways[round % 2 == 0 ? k : ways.size() - 1 - k];
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < files; ++i) {
                if (!way.rename(i)) {
                    std::fprintf(stderr, "%s failed on file %d\n", way.name, i);
                    return 1;
                }
            }
            const std::chrono::duration<double, std::micro> elapsed =
                std::chrono::steady_clock::now() - start;
            way.microsPerFile.push_back(elapsed.count() / files);
            for (int i = 0; i < files; ++i) {
                if (std::rename(toPaths[index(i)].constData(), fromPaths[index(i)].constData()) != 0) {
                    std::perror("renaming back");
                    return 1;
                }
            }
        }
    }

    const double baseline = Median(ways.front().microsPerFile);
    std::printf("%d files in %s, %d rounds, median per file:\n", files, qPrintable(folder), rounds);
    for (const Way& way : ways) {
        const double median = Median(way.microsPerFile);
        std::printf("  %-38s %7.2f us   %5.2fx\n", way.name, median, median / baseline);
    }
    return 0;
}
