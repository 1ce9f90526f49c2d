#pragma once

#include "support/TempTree.h"
#include "ui/frmFiles.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>

// A window started in a temporary folder tree, as the program starts it in its current folder.
class WindowTest : public testing::Test {
protected:
    void StartIn(const QString& folder) {
        previous_ = QDir::currentPath();
        QDir::setCurrent(folder);
        form = std::make_unique<frmFiles>();
    }
    void TearDown() override {
        form.reset();
        if (!previous_.isEmpty())
            QDir::setCurrent(previous_);
    }

    TempTree tree;
    std::unique_ptr<frmFiles> form;

private:
    QString previous_;
};
