// The About box on real widgets: its texts and tab order, the link opening its address
// through a stand-in xdg-open by click and by Enter while the box stays open, and OK or
// Escape closing it.

#include "app/AboutDlg.h"
#include "framework/ui/LinkCtrl.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lw;

namespace {

struct AboutFixture : ::testing::Test {
    static void SetUpTestSuite() {
        RegisterProgramResources();
        RegisterProgramImages();
    }
};

// Puts an xdg-open first on the path that appends each address it is given to a file.
struct StandInBrowser {
    QTemporaryDir dir;
    QByteArray oldPath = qgetenv("PATH");
    QString log() const { return dir.filePath(QStringLiteral("opened")); }
    StandInBrowser() {
        QFile script(dir.filePath(QStringLiteral("xdg-open")));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/opened\"\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("PATH", QFile::encodeName(dir.path()) + ":" + oldPath);
    }
    ~StandInBrowser() { qputenv("PATH", oldPath); }
    QStringList opened() const {
        QFile f(log());
        return f.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                   : QStringList();
    }
};

TEST_F(AboutFixture, ShowsTheProgramsTextsIconAndTabsBetweenOkAndTheLinkOnly) {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Loomwrite"));
    EXPECT_EQ(dialog.GetTemplateID(), 100u);
    QStringList texts;
    bool icon = false;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label != dialog.GetLink() && !label->text().isEmpty())
            texts << label->text();
        icon = icon || !label->pixmap().isNull();
    }
    EXPECT_TRUE(icon);
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Copyright (C) 2026 Tarn"),
                                  QStringLiteral("Loomwrite, Version 1.1.0.0")}));
    EXPECT_EQ(dialog.GetLink()->GetUrl(), QStringLiteral("https://tarn.example/"));
    EXPECT_TRUE(dialog.GetLink()->text().contains(QLatin1String(">tarn.example</a>")));
    EXPECT_EQ(dialog.GetLink()->GetDlgCtrlID(), 1000u);
    EXPECT_TRUE(dialog.GetOkButton()->isDefault());

    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(lwtest::waitFor([&] { return dialog.GetOkButton()->hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.GetLink());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.GetOkButton());
}

TEST_F(AboutFixture, TheLinkOpensItsAddressByClickAndByEnterWhileTheBoxStaysOpen) {
    StandInBrowser browser;
    CAboutDlg dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    CLinkCtrl* link = dialog.GetLink();
    // A click on the link's text.
    const QPoint onText(link->fontMetrics().horizontalAdvance(QStringLiteral("tarn")), link->height() / 2);
    QTest::mouseClick(link, Qt::LeftButton, {}, onText);
    ASSERT_TRUE(lwtest::waitFor([&] { return browser.opened().size() == 1; }));
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Return);
    ASSERT_TRUE(lwtest::waitFor([&] { return browser.opened().size() == 2; }));
    EXPECT_EQ(browser.opened(), QStringList(2, QStringLiteral("https://tarn.example/")));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST_F(AboutFixture, OkAndEscapeEndTheModalBox) {
    for (bool escape : {false, true}) {
        CAboutDlg dialog;
        EXPECT_TRUE(dialog.isModal());
        QTimer::singleShot(0, &dialog, [&] {
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.GetOkButton()->click();
        });
        EXPECT_EQ(dialog.DoModal(), escape ? IDCANCEL : IDOK);
    }
}

} // namespace
