#include "support/quick/EntradaInvisivel.h"

#include "kit/Presenca.h"

#include <QAccessible>
#include <QMetaObject>

#include <algorithm>

namespace {

// A mouse area has an `enabled` of its own: switched off, it lets every event through.
bool areaDesligada(const QQuickItem *item)
{
    return item->inherits("QQuickMouseArea") && !item->property("enabled").toBool();
}

// A pointer handler other than a hover handler (which never takes a click).
bool temManipuladorDeClique(const QQuickItem *item)
{
    for (const QObject *filho : item->children()) {
        if (filho->inherits("QQuickPointerHandler") && !filho->inherits("QQuickHoverHandler"))
            return true;
    }
    return false;
}

QQuickItem *alvoEm(QQuickItem *item, QPointF cena)
{
    if (!item->isVisible() || !item->isEnabled())
        return nullptr;
    const QPointF local = item->mapFromScene(cena);
    const bool contem = item->contains(local);
    if (item->clip() && !contem)
        return nullptr;
    // Painting order: by z, then by order of creation; the last painted is hit first.
    QList<QQuickItem *> filhos = item->childItems();
    std::stable_sort(filhos.begin(), filhos.end(),
                     [](const QQuickItem *a, const QQuickItem *b) { return a->z() < b->z(); });
    for (auto i = filhos.crbegin(); i != filhos.crend(); ++i) {
        if (QQuickItem *alvo = alvoEm(*i, cena))
            return alvo;
    }
    // A text takes the left button only for its links and lets any other press through.
    if (contem && !areaDesligada(item) && !item->inherits("QQuickText")
        && ((item->acceptedMouseButtons() & Qt::LeftButton) || temManipuladorDeClique(item)))
        return item;
    return nullptr;
}

} // namespace

QQuickItem *quemRecebeOClique(QQuickWindow *janela, QPointF ponto)
{
    return janela ? alvoEm(janela->contentItem(), ponto) : nullptr;
}

double opacidadeEfetiva(const QQuickItem *item)
{
    double opacidade = 1;
    for (; item; item = item->parentItem())
        opacidade *= item->opacity();
    return opacidade;
}

bool recebeSemSerVisto(const QQuickItem *item)
{
    // Nested fades multiply (a form fading in inside a panel fading in): below 1 % nothing shows.
    return opacidadeEfetiva(item) < 0.01 || Presenca::saindoOuDentroDeQuemSai(item);
}

QString caminhoDoItem(const QQuickItem *item)
{
    QStringList partes;
    for (; item; item = item->parentItem()) {
        const QString nome = item->objectName();
        partes.prepend(QStringLiteral("%1(%2)").arg(nome.isEmpty() ? QStringLiteral("-") : nome,
                                                    QString::fromLatin1(item->metaObject()->className()))
                       + QStringLiteral("@%1").arg(item->opacity(), 0, 'g', 2));
    }
    return partes.join(QStringLiteral(" > "));
}

QStringList cliquesInvisiveis(QQuickWindow *janela, int passo)
{
    QStringList achados;
    if (!janela || !janela->isVisible())
        return achados;
    QList<const QQuickItem *> vistos;
    for (int y = passo / 2; y < janela->height(); y += passo) {
        for (int x = passo / 2; x < janela->width(); x += passo) {
            const QQuickItem *alvo = quemRecebeOClique(janela, QPointF(x, y));
            if (!alvo || !recebeSemSerVisto(alvo) || vistos.contains(alvo))
                continue;
            vistos.append(alvo);
            achados << QStringLiteral("(%1, %2): %3").arg(x).arg(y).arg(caminhoDoItem(alvo));
        }
    }
    return achados;
}

namespace {

// Reaches QObject::isSignalConnected, which is protected, for objects of any class: the member
// pointer is named through a derived class but has QObject's type, so no downcast is needed.
class Observador : public QObject {
public:
    static bool ligado(const QObject *objeto, const char *assinatura)
    {
        const int indice = objeto->metaObject()->indexOfSignal(assinatura);
        if (indice < 0)
            return false;
        constexpr bool (QObject::*conectado)(const QMetaMethod &) const = &Observador::isSignalConnected;
        return (objeto->*conectado)(objeto->metaObject()->method(indice));
    }
};

bool ehControle(const QQuickItem *item)
{
    if (item->inherits("QQuickAbstractButton"))
        return true;
    // A list's rows are chosen with the arrow keys once Tab has reached the list.
    if (item->inherits("QQuickItemView") && item->activeFocusOnTab())
        return true;
    if (!item->activeFocusOnTab())
        return false;
    QAccessibleInterface *acessivel = QAccessible::queryAccessibleInterface(const_cast<QQuickItem *>(item));
    if (!acessivel)
        return false;
    const QAccessible::Role papel = acessivel->role();
    return (papel == QAccessible::Button || papel == QAccessible::CheckBox || papel == QAccessible::RadioButton
            || papel == QAccessible::Link || papel == QAccessible::ListItem || papel == QAccessible::PageTab)
           && !acessivel->text(QAccessible::Name).isEmpty();
}

bool dentroDeControle(const QQuickItem *item)
{
    for (; item; item = item->parentItem()) {
        if (ehControle(item))
            return true;
    }
    return false;
}

bool ageNoClique(const QObject *objeto)
{
    if (objeto->inherits("QQuickMouseArea"))
        return Observador::ligado(objeto, "clicked(QQuickMouseEvent*)")
               || Observador::ligado(objeto, "pressed(QQuickMouseEvent*)")
               || Observador::ligado(objeto, "released(QQuickMouseEvent*)")
               || Observador::ligado(objeto, "doubleClicked(QQuickMouseEvent*)");
    if (objeto->inherits("QQuickTapHandler"))
        return Observador::ligado(objeto, "tapped(QEventPoint,Qt::MouseButton)")
               || Observador::ligado(objeto, "singleTapped(QEventPoint,Qt::MouseButton)");
    return false;
}

void juntarAreasSoltas(QQuickItem *item, const QStringList &permitidos, QStringList &achados)
{
    if (!item->isVisible() || !item->isEnabled())
        return;
    const auto conferir = [&](QObject *objeto, QQuickItem *dono) {
        if (ageNoClique(objeto) && !permitidos.contains(objeto->objectName()) && !dentroDeControle(dono))
            achados << caminhoDoItem(dono) + QStringLiteral(" > ") + QString::fromLatin1(objeto->metaObject()->className());
    };
    if (item->inherits("QQuickMouseArea") && !areaDesligada(item))
        conferir(item, item);
    for (QObject *filho : item->children()) {
        if (filho->inherits("QQuickTapHandler"))
            conferir(filho, item);
    }
    for (QQuickItem *filho : item->childItems())
        juntarAreasSoltas(filho, permitidos, achados);
}

} // namespace

QStringList areasSoltas(QQuickItem *raiz, const QStringList &permitidos)
{
    QStringList achados;
    if (raiz)
        juntarAreasSoltas(raiz, permitidos, achados);
    return achados;
}
