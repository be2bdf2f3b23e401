// The floor for the quiz's start-up: the same visible widgets, sizes, font, colours and visible
// content as the quiz window, and no logic at all.

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Static window"));
    window.setFixedSize(461, 345);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 255));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    QFont font(QStringLiteral("Times New Roman"), 12);
    font.setStyleHint(QFont::Serif);
    window.setFont(font);

    auto* box = new QPlainTextEdit(&window);
    box->setGeometry(8, 224, 449, 121);
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setPlainText(QStringLiteral(
        "Да се състави проект представящ междупредметна връзка История и Информатика.\r\n"
        "Тема на проекта: История - България, значими битки.\r\n"
        "Да се използват набор от списъчни менюта съдържащи информация за проведена битка и пълководец.\r\n"
        "В реализирания проект са представени следните битки (сражения):\r\n"
        "Битка при Клокотница\r\nТутраканска операция\r\nБитка при завоя на Черна\r\nБитка при Ахелой\r\n"
        "Битка при Адрианопол\r\nЛюлебургас - БунарХисар\r\nОбсада на Одрин (1912-1913)\r\n"
        "Лозенградска операция\r\nБитка при Дойран\r\nБитка при Върбишки проход\r\n"
        "Прочетете допълнителен материал за значими битки в българската история.\r\n"));

    auto* heading = new QLabel(QStringLiteral("История - България, битки"), &window);
    heading->setGeometry(64, 0, 305, 25);
    heading->setAlignment(Qt::AlignCenter);
    heading->setAutoFillBackground(true);
    QPalette headingPalette = heading->palette();
    headingPalette.setColor(QPalette::Window, QColor(255, 192, 128));
    heading->setPalette(headingPalette);

    auto* battles = new QListWidget(&window);
    battles->setGeometry(16, 56, 241, 118);
    battles->addItems({QStringLiteral("Битка при Адрианопол"), QStringLiteral("Битка при Ахелой"),
        QStringLiteral("Битка при Върбишки проход"), QStringLiteral("Битка при Дойран"),
        QStringLiteral("Битка при завоя на Черна"), QStringLiteral("Битка при Клокотница"),
        QStringLiteral("Лозенградска операция"), QStringLiteral("Люлебургас - БунарХисар"),
        QStringLiteral("Обсада на Одрин (1912-1913)"), QStringLiteral("Тутраканска операция")});
    auto* commanders = new QListWidget(&window);
    commanders->setGeometry(264, 56, 185, 118);
    commanders->addItems({QStringLiteral("ген. Васил Кутинчев"), QStringLiteral("ген. Владимир Вазов"),
        QStringLiteral("ген. Пантелей Киселов"), QStringLiteral("ген. Радко Димитриев"),
        QStringLiteral("ген.Никола Иванов"), QStringLiteral("кота 1050"), QStringLiteral("хан Крум"),
        QStringLiteral("цар Иван Асен II"), QStringLiteral("цар Калоян"), QStringLiteral("цар Симеон")});

    auto* button = new QPushButton(QStringLiteral("Чисти"), &window);
    button->setGeometry(192, 192, 129, 25);
    QPalette buttonPalette = button->palette();
    buttonPalette.setColor(QPalette::Button, QColor(255, 128, 128));
    button->setPalette(buttonPalette);

    window.show();
    return QApplication::exec();
}
