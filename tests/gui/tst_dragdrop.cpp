// Drag-and-drop plumbing shared by the boards: who may be dropped where.

#include "Harness.h"

#include "DragDrop.h"
#include "DragLabel.h"
#include "PictureBox.h"

#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

class DragDropTest : public QObject
{
    Q_OBJECT

private slots:
    void sourceIsFoundByNameInTheTargetsFormOnly();
    void onlyWhatTheFilterAcceptsIsDropped();
};

void DragDropTest::sourceIsFoundByNameInTheTargetsFormOnly()
{
    QWidget form, otherForm;
    auto *slot = new PictureBox(&form);
    auto *caption = new DragLabel(&form);
    caption->setObjectName("formulaPiece");
    auto *namesake = new DragLabel(&otherForm);
    namesake->setObjectName("formulaPiece");

    std::unique_ptr<QMimeData> mime(DragDrop::mimeFor(caption));
    QCOMPARE(DragDrop::sourceOf(slot, mime.get(), nullptr), caption);
    QCOMPARE(DragDrop::sourceOf(slot, mime.get(), caption), caption);
    // the same name dragged from another form is not this form's caption
    QCOMPARE(DragDrop::sourceOf(slot, mime.get(), namesake), nullptr);

    QMimeData foreign;
    foreign.setText("formulaPiece");
    QCOMPARE(DragDrop::sourceOf(slot, &foreign, nullptr), nullptr);
    QMimeData unknown;
    unknown.setData(DragDrop::mimeType, "NoSuchControl");
    QCOMPARE(DragDrop::sourceOf(slot, &unknown, nullptr), nullptr);
}

void DragDropTest::onlyWhatTheFilterAcceptsIsDropped()
{
    QWidget form;
    form.resize(300, 200);
    auto *slot = new PictureBox(&form);
    slot->setGeometry(10, 10, 100, 50);
    auto *arrow = new PictureBox(&form);
    arrow->setGeometry(10, 100, 20, 40);
    auto *caption = new DragLabel(&form);
    caption->setObjectName("caption");
    caption->setGeometry(200, 10, 50, 20);
    auto *refused = new DragLabel(&form);
    refused->setObjectName("refused");
    refused->setGeometry(200, 40, 50, 20);
    auto *over = new QLabel(&form); // lies over the slot, as a slot's text does
    over->setGeometry(40, 20, 30, 16);
    form.show();

    QSignalSpy drops(slot, &PictureBox::dropped);
    QVERIFY(!Harness::dropAt(&form, caption, QPoint(12, 12))); // no filter: every drag is refused
    slot->setDropFilter([caption](const QObject *piece) { return piece == caption; });
    QVERIFY(!Harness::dropAt(&form, refused, QPoint(12, 12)));

    QVERIFY(Harness::dropAt(&form, caption, QPoint(12, 12)));     // corner of the slot
    QVERIFY(Harness::dropAt(&form, caption, QPoint(109, 59)));    // the other corner
    QVERIFY(!Harness::dropAt(&form, caption, QPoint(50, 25)));    // on the label lying over it
    QVERIFY(!Harness::dropAt(&form, caption, QPoint(15, 120)));   // an arrow has no filter
    QVERIFY(!Harness::dropAt(&form, caption, QPoint(250, 150)));  // the background
    QCOMPARE(drops.count(), 2);
    QCOMPARE(drops.at(0).at(0).value<QObject *>(), caption);
    QVERIFY(caption->isVisible());
}

QTEST_MAIN(DragDropTest)
#include "tst_dragdrop.moc"
