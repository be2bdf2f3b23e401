#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace bitki {

namespace {

class QuizFormAccessible final : public QAccessibleWidget {
public:
    explicit QuizFormAccessible(QWidget* form)
        : QAccessibleWidget(form, QAccessible::Window)
    {
    }

    int childCount() const override { return static_cast<int>(shownChildren().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = shownChildren();
        return index >= 0 && index < children.size()
            ? QAccessible::queryAccessibleInterface(children.at(index))
            : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr ? static_cast<int>(shownChildren().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> shownChildren() const
    {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(object);
            if (control != nullptr && !control->isWindow() && !control->isHidden()) {
                shown.append(control);
            }
        }
        return shown;
    }
};

QAccessibleInterface* quizFormFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("bitki::QuizForm") && object != nullptr && object->isWidgetType()) {
        return new QuizFormAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(quizFormFactory);
}

} // namespace bitki
