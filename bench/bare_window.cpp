// For scale: a window of the quiz's size and font with one label.

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("История - България, битки"));
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(461, 345);
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setStyleHint(QFont::Serif);
    window.setFont(font);
    window.show();
    return QApplication::exec();
}
