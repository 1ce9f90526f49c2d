#pragma once

#include "support/Eventually.h"
#include "support/UserInput.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QMessageBox>
#include <QTimer>

#include <sys/stat.h>

// What a file holds and which file it is, to tell a renamed file from a copy or a replacement.
struct FileState {
    QByteArray content;
    ino_t inode = 0;
    bool operator==(const FileState&) const = default;
};

inline void PrintTo(const FileState& s, std::ostream* os) {
    *os << '"' << s.content.toStdString() << "\" inode " << s.inode;
}

// Every file under a folder, by path relative to it.
inline QMap<QString, FileState> Snapshot(const QString& root) {
    QMap<QString, FileState> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!it.fileInfo().isFile())
            continue; // a named pipe would wait for a writer
        QFile f(path);
        struct stat st {};
        if (!f.open(QIODevice::ReadOnly) || ::stat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        files.insert(path.mid(root.size() + 1), {f.readAll(), st.st_ino});
    }
    return files;
}

inline QStringList SelectedTexts(const FileList* list) {
    QStringList texts;
    for (const int row : list->selectedRows())
        texts.append(list->text(row));
    return texts;
}

// A message box seen while a test ran, closed at once.
struct SeenMessage {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Closes every modal message box that opens while it lives, remembering what each showed.
class MessageWatcher {
public:
    MessageWatcher() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            seen.append(SeenMessage{box->text(), box->windowTitle(), box->icon()});
            box->accept();
        });
        timer_.start(5);
    }
    QList<SeenMessage> seen;

private:
    QTimer timer_;
};

// A window in a folder of files, with the handlers a user reaches by mouse.
class RenameTest : public WindowTest {
protected:
    // Creates the files (each holding its own name) and starts the window in their folder.
    void StartWith(const QStringList& names) {
        for (const QString& n : names)
            tree.File(n, n.toUtf8());
        StartIn(tree.Path());
    }
    // A left press on the entry: the file is taken up.
    void TakeUp(const QString& name) {
        const int row = form->lstSel->findRow(name);
        ASSERT_GE(row, 0) << name.toStdString();
        form->lstSel->setCurrentRow(row);
        form->lstSel_MouseDown(Qt::LeftButton, {});
    }
    void Select(const QStringList& names) {
        form->lstSel->clearSelection();
        for (const QString& n : names) {
            const int row = form->lstSel->findRow(n);
            ASSERT_GE(row, 0) << n.toStdString();
            form->lstSel->setSelected(row, true);
        }
    }
    void Tick(RuleSwitch rule, bool on = true) { form->chkOptions[rule]->setChecked(on); }
    // F9, and the forecast once the facts its rules read are in.
    void OpenBatchView() {
        form->mnuBatchView_Click();
        ASSERT_TRUE(EventuallyTrue([this] { return !form->BatchViewReading(); }));
    }
    // The names of the folder's files on disk, sorted.
    QStringList OnDisk() const {
        QStringList names = Snapshot(tree.Path()).keys();
        names.sort();
        return names;
    }
};
