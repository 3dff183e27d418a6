// Finds, without sending anything, which item a click at a point of a window would reach (as
// Qt Quick's delivery picks it: the topmost visible, enabled item under the point that takes the
// left button or has a pointer handler, honouring clipping and containment masks), and checks
// a grid of points for clicks that would land on an item nobody sees (effective opacity near 0)
// or one that is leaving.
#pragma once

#include <QPointF>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStringList>

// The item a left click at `ponto` (scene coordinates) would reach; null when none.
[[nodiscard]] QQuickItem *quemRecebeOClique(QQuickWindow *janela, QPointF ponto);
// The item's opacity times that of every ancestor.
[[nodiscard]] double opacidadeEfetiva(const QQuickItem *item);
// Whether a click that reaches `item` would act on something the user cannot see or that is going.
[[nodiscard]] bool recebeSemSerVisto(const QQuickItem *item);
// One line per point of a grid of `passo` points over the window whose click would reach an
// item that is invisible or leaving; empty when there is none.
[[nodiscard]] QStringList cliquesInvisiveis(QQuickWindow *janela, int passo = 20);
// A readable path of an item: its objectNames (or types) from the window down.
[[nodiscard]] QString caminhoDoItem(const QQuickItem *item);

// One line per mouse area or tap handler under `raiz` that acts on a click (its clicked,
// pressed or tapped signal is handled) without being part of a real control: a button, or an
// item that Tab reaches and that names itself a button (or link, check box…) to accessibility, or
// a row of a list that Tab reaches. Only visible, enabled areas count. `permitidos` lists
// objectNames of areas that may (each with its reason where it is declared).
[[nodiscard]] QStringList areasSoltas(QQuickItem *raiz, const QStringList &permitidos);
