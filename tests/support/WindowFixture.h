#pragma once

#include "support/TempTree.h"
#include "ui/frmFiles.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>

// A window started in a temporary folder tree.
class WindowTest : public testing::Test {
protected:
    void StartIn(const QString& folder) { form = std::make_unique<frmFiles>(QFile::encodeName(folder)); }
    void TearDown() override { form.reset(); }

    TempTree tree;
    std::unique_ptr<frmFiles> form;
};
