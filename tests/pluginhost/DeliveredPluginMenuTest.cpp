// The eleven delivered plug-ins as a fresh build leaves them: all listed, each running from its
// menu entry.
#include "HostFixture.h"

#include "TRichViewEdit.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace {

const char *const kDelivered[] = {"tally", "capmark", "escaper", "squeeze", "mirror", "herepath",
                                  "ospath", "corepath", "scratchpath", "launch", "swatch"};

// Dismisses the next modal dialog a plug-in opens, as a user pressing Escape would, so that the
// test never waits on it; records the dialog's class.
class ModalDismisser
{
public:
    ModalDismisser()
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                dismissed_ = QString::fromLatin1(dialog->metaObject()->className());
                dialog->reject();
                timer_.stop();
            }
        });
        timer_.start();
    }
    QString dismissed() const { return dismissed_; }

private:
    QTimer timer_;
    QString dismissed_;
};

using DeliveredPlugins = HostFixture;

TEST_F(DeliveredPlugins, AllElevenAreListedInBothMenus)
{
    for (const char *name : kDelivered)
        install(deliveredPlugin(name), QString::fromLatin1(name) + ".so");
    host->RefreshPlugins();

    EXPECT_EQ(plugins.actions().size(), 2 + 11);
    EXPECT_EQ(about.actions().size(), 11);
    for (const QAction *entry : about.actions()) {
        messages.clear();
        const_cast<QAction *>(entry)->trigger();
        ASSERT_EQ(messages.size(), 1u) << entry->text().toStdString();
        EXPECT_EQ(messages[0].title, "About plugin");
        EXPECT_EQ(messages[0].text.count("\n\r"), 5);
        EXPECT_FALSE(messages[0].text.section("\n\r", 0, 0).isEmpty());
    }
}

TEST_F(DeliveredPlugins, EachRunsFromItsMenuEntry)
{
    enum class Expect { Changed, InsertedAtCaret, ErrorShown, DialogOnly };
    const struct {
        const char *name;
        QString document;
        int selectionStart, selectionEnd;
        Expect expect;
        QString result; // for Changed
    } cases[] = {
        {"capmark", "<b>x</b>", 0, 8, Expect::Changed, "<B>x</B>"},
        {"escaper", "a<b", 0, 3, Expect::Changed, "a&lt;b"},
        {"squeeze", "a b c", 0, 5, Expect::Changed, "abc"},
        {"mirror", "abc", 0, 3, Expect::Changed, "cba"},
        {"herepath", "", 0, 0, Expect::InsertedAtCaret, {}},
        {"ospath", "", 0, 0, Expect::InsertedAtCaret, {}},
        {"corepath", "", 0, 0, Expect::InsertedAtCaret, {}},
        {"scratchpath", "", 0, 0, Expect::InsertedAtCaret, {}},
        {"launch", "", 0, 0, Expect::ErrorShown, {}}, // with a selection it would open it for real
        {"tally", "two words", 0, 9, Expect::DialogOnly, {}},
        {"swatch", "", 0, 0, Expect::DialogOnly, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(folder).removeRecursively());
        install(deliveredPlugin(c.name), QString::fromLatin1(c.name) + ".so");
        host->RefreshPlugins();
        setDocument(c.document);
        select(c.selectionStart, c.selectionEnd);
        messages.clear();
        ModalDismisser dismisser;

        plugins.actions().at(2)->trigger();

        switch (c.expect) {
        case Expect::Changed:
            EXPECT_EQ(documentText(), c.result);
            break;
        case Expect::InsertedAtCaret:
            EXPECT_TRUE(documentText().startsWith('/')) << documentText().toStdString();
            EXPECT_TRUE(messages.empty());
            break;
        case Expect::ErrorShown:
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].icon, PluginHost::Icon::Error);
            EXPECT_EQ(documentText(), c.document);
            break;
        case Expect::DialogOnly:
            EXPECT_FALSE(dismisser.dismissed().isEmpty()) << "no dialog was shown";
            EXPECT_EQ(documentText(), c.document);
            EXPECT_TRUE(messages.empty());
            break;
        }
    }
}

} // namespace
