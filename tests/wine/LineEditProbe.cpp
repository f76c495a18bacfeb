// The smallest Qt program that shows how Wine draws a line edit: a label and
// a line edit, both with text. Under Wine, with the dialog font that Wine
// substitutes missing from the prefix, Qt's GDI font engine draws the label
// but leaves the line edit empty; `-platform windows:fontengine=freetype`
// draws both. scripts/wine-desktop-test runs it both ways and keeps the
// pictures; docs/wine.md says what they show.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Line edit probe"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Label text")));
    layout->addWidget(new QLineEdit(QStringLiteral("Line edit text")));
    window.resize(300, 100);
    window.show();
    return QApplication::exec();
}
