#include "jvFormIni.h"

#include "IniFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QRect kBuiltInBounds(192, 114, 700, 480);

QRect bounds(const QWidget &form)
{
    return QRect(form.pos(), form.size());
}

void setBounds(QWidget &form, const QRect &bounds)
{
    form.move(bounds.topLeft());
    form.resize(bounds.size());
}

class FormIniTest : public ::testing::Test
{
protected:
    FormIniTest()
    {
        form->setObjectName("MainFrm");
        setBounds(*form, kBuiltInBounds);
    }

    QString path(const char *name = "Tavlen.ini") const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
    std::unique_ptr<QMainWindow> form = std::make_unique<QMainWindow>();
};

TEST_F(FormIniTest, MissingStoreKeepsTheBuiltInBounds)
{
    TjvFormIni(path()).LoadPlacement(form.get());
    EXPECT_EQ(bounds(*form), kBuiltInBounds);
    EXPECT_FALSE(form->windowState() & Qt::WindowMaximized);
}

TEST_F(FormIniTest, SavedBoundsComeBackWithoutGrowing)
{
    setBounds(*form, QRect(10, 20, 640, 400));
    form->show();
    TjvFormIni(path()).SavePlacement(form.get());
    EXPECT_EQ(fileBytes(path()), "\r\n[MainFrm]\r\nState=0\r\nLeft=10\r\nTop=20\r\nWidth=640\r\nHeight=400\r\n");

    // The next run restores the bounds before its window is shown.
    QMainWindow restored;
    restored.setObjectName("MainFrm");
    setBounds(restored, kBuiltInBounds);
    TjvFormIni(path()).LoadPlacement(&restored);
    restored.show();
    EXPECT_EQ(restored.frameGeometry(), form->frameGeometry());
    EXPECT_EQ(bounds(restored), QRect(10, 20, 640, 400));
}

TEST_F(FormIniTest, MaximisedStoreMaximisesAndReadsNoBounds)
{
    putFile(path(), "[MainFrm]\r\nState=1\r\nLeft=10\r\nTop=20\r\nWidth=640\r\nHeight=400\r\n");
    TjvFormIni(path()).LoadPlacement(form.get());
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    form->show();
    form->showNormal();
    EXPECT_EQ(bounds(*form), kBuiltInBounds);
}

TEST_F(FormIniTest, LowerCaseKeyIsNotTheBound)
{
    const std::string original = fileBytes(fixture("placement-lowercase-left.ini"));
    putFile(path(), original);
    const TjvFormIni store(path());
    store.LoadPlacement(form.get());
    EXPECT_EQ(bounds(*form), QRect(192, 20, 640, 400));

    // The next close adds a line of its own for Left.
    store.SavePlacement(form.get());
    EXPECT_EQ(fileBytes(path()), original + "Left=192\r\n");
}

TEST_F(FormIniTest, MaximisedCloseKeepsEarlierBounds)
{
    putFile(path(), "[MainFrm]\r\nState=0\r\nLeft=10\r\nTop=20\r\nWidth=640\r\nHeight=400\r\n");
    form->showMaximized();
    TjvFormIni(path()).SavePlacement(form.get());
    EXPECT_EQ(fileBytes(path()), "[MainFrm]\r\nState=1\r\nLeft=10\r\nTop=20\r\nWidth=640\r\nHeight=400\r\n");
}

TEST_F(FormIniTest, AbsurdBoundsStayWithinTheDesktop)
{
    putFile(path(), "[MainFrm]\r\nLeft=2147483647\r\nTop=-2147483648\r\nWidth=1000000\r\nHeight=-5\r\n");
    TjvFormIni(path()).LoadPlacement(form.get());
    const QSize desktop = form->screen()->virtualSize();
    EXPECT_LE(form->width(), desktop.width());
    EXPECT_GE(form->height(), 1);
    EXPECT_LE(form->x(), 32767);
    EXPECT_GE(form->y(), -32767);
    form->show();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FormIniTest, UnwritableStoreRaises)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    EXPECT_THROW(TjvFormIni(path("folder.ini")).SavePlacement(form.get()), EIniFileException);
}

} // namespace
