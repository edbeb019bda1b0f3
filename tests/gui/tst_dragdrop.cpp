// Drag-and-drop plumbing shared by the boards: who may be dropped where.

#include "Harness.h"

#include "DragLabel.h"
#include "DragPayload.h"
#include "DropTarget.h"
#include "PictureBox.h"

#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

class DragDropTest : public QObject
{
    Q_OBJECT

private slots:
    void aDragCarriesItsKeyIntoItsOwnFormOnly();
    void onlyWhatTheFilterAcceptsIsDropped();
};

void DragDropTest::aDragCarriesItsKeyIntoItsOwnFormOnly()
{
    QWidget form, otherForm;
    auto *slot = new PictureBox(&form);
    auto *caption = new DragLabel(&form);
    DragPayload::setKey(caption, 7);
    auto *stranger = new DragLabel(&otherForm);
    DragPayload::setKey(stranger, 7);
    auto *keyless = new DragLabel(&form);

    std::unique_ptr<QMimeData> mime(DragPayload::mimeFor(caption));
    QCOMPARE(DragPayload::keyDroppedOn(slot, mime.get()), std::optional<int>(7));
    // the same key dragged from another form is not this form's piece
    std::unique_ptr<QMimeData> foreignForm(DragPayload::mimeFor(stranger));
    QCOMPARE(DragPayload::keyDroppedOn(slot, foreignForm.get()), std::nullopt);
    std::unique_ptr<QMimeData> noKey(DragPayload::mimeFor(keyless));
    QCOMPARE(DragPayload::keyDroppedOn(slot, noKey.get()), std::optional<int>(DragPayload::noKey));

    QMimeData text;
    text.setText("7");
    QCOMPARE(DragPayload::keyDroppedOn(slot, &text), std::nullopt);
    QMimeData garbage;
    garbage.setData(DragPayload::mimeType, "7");
    QCOMPARE(DragPayload::keyDroppedOn(slot, &garbage), std::nullopt);
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
    DragPayload::setKey(caption, 1);
    caption->setGeometry(200, 10, 50, 20);
    auto *refused = new DragLabel(&form);
    DragPayload::setKey(refused, 2);
    refused->setGeometry(200, 40, 50, 20);
    auto *over = new QLabel(&form); // lies over the slot, as a slot's text does
    over->setGeometry(40, 20, 30, 16);
    form.show();

    QVERIFY(!Harness::dropAt(&form, caption, QPoint(12, 12))); // not a drop target yet
    auto *target = new DropTarget(slot, [](int key) { return key == 1; });
    QSignalSpy drops(target, &DropTarget::dropped);
    QVERIFY(!Harness::dropAt(&form, refused, QPoint(12, 12)));

    QVERIFY(Harness::dropAt(&form, caption, QPoint(12, 12)));     // corner of the slot
    QVERIFY(Harness::dropAt(&form, caption, QPoint(109, 59)));    // the other corner
    QVERIFY(!Harness::dropAt(&form, caption, QPoint(50, 25)));    // on the label lying over it
    QVERIFY(!Harness::dropAt(&form, caption, QPoint(15, 120)));   // an arrow takes no drops
    QVERIFY(!Harness::dropAt(&form, caption, QPoint(250, 150)));  // the background
    QCOMPARE(drops.count(), 2);
    QCOMPARE(drops.at(0).at(0).toInt(), 1);
    QVERIFY(caption->isVisible());
}

QTEST_MAIN(DragDropTest)
#include "tst_dragdrop.moc"
