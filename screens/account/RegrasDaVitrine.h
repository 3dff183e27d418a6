// The onboarding showcase's rules that are not drawing: the card stack's rotation and depths, the
// phrase sequence, the orbit's ellipse and tile positions, the blobs' drift, the background dot
// grid and the blobs' soft edge, as plain functions of the loop counts, the time and the size.
// `RegrasDaVitrine` hands them to QML.
#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

namespace vitrine {

inline constexpr int intervaloDaPilhaMs = 4600;
inline constexpr int intervaloDaFraseMs = 3600;
inline constexpr int intervaloDaCifraMs = 2400;
inline constexpr int quantasFrases = 4;

// The stack loop's step: the last card moves to the front, the others one step back.
[[nodiscard]] QList<int> girar(const QList<int> &ordem);
// The order after `rotacoes` steps from [0, 1, 2].
[[nodiscard]] QList<int> ordemDepoisDe(int rotacoes);
// The phrase on display after `passos` steps from phrase 0.
[[nodiscard]] int fraseDepoisDe(int passos);
// The first position of sample `k` in `ordem` (0 = front); 0 when it is absent.
[[nodiscard]] int profundidade(const QList<int> &ordem, int k);

// The orbit's radii for the stage's width: rx = min(w / 2 − 26, 250), ry = 0.58 rx.
[[nodiscard]] double raioXDaOrbita(double largura);
[[nodiscard]] double raioYDaOrbita(double largura);
// The ring's base angle at `t` (seconds since 2001-01-01 UTC): one turn every 90 s.
[[nodiscard]] double anguloDaOrbita(double t);
// Centre of tile `i` (0–9) at `t` on a stage of `largura` × `altura`, bob included.
[[nodiscard]] QPointF posicaoNaOrbita(int i, double t, double largura, double altura);
// The ten service names on the orbit, in order.
[[nodiscard]] const QStringList &servicosDaOrbita();

// Offsets of the two blobs from the layer's centre at `t`.
[[nodiscard]] QPointF deslocamentoDaMancha1(double t);
[[nodiscard]] QPointF deslocamentoDaMancha2(double t);
// Opacity of a disc of `raio` blurred by a Gaussian of `desfoque` at `distancia` from its centre,
// as a fraction of the disc's own opacity (the soft edge drawn as a radial gradient).
[[nodiscard]] double opacidadeDaMancha(double distancia, double raio, double desfoque);

struct PontoDeFundo {
    double x;
    double y;
    double opacidade;
};
// The dots of the background grid for a `largura` × `altura` panel, row by row.
[[nodiscard]] QList<PontoDeFundo> pontosDeFundo(double largura, double altura);

} // namespace vitrine

class RegrasDaVitrine : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QStringList servicosDaOrbita READ servicosDaOrbita CONSTANT)
    Q_PROPERTY(QStringList frases READ frases CONSTANT)
    Q_PROPERTY(QString senhaDeExemplo READ senhaDeExemplo CONSTANT)
    Q_PROPERTY(QString envelopeDeExemplo READ envelopeDeExemplo CONSTANT)
    // The cipher line's caption once sealed, as this computer says it.
    Q_PROPERTY(QString legendaDaCifra READ legendaDaCifra CONSTANT)

public:
    using QObject::QObject;
    [[nodiscard]] static RegrasDaVitrine *create(QQmlEngine *, QJSEngine *);

    [[nodiscard]] static QStringList servicosDaOrbita() { return vitrine::servicosDaOrbita(); }
    [[nodiscard]] static QStringList frases();
    [[nodiscard]] static QString senhaDeExemplo();
    [[nodiscard]] static QString envelopeDeExemplo();
    [[nodiscard]] static QString legendaDaCifra();

    // Orders travel through QML as plain lists of numbers.
    [[nodiscard]] Q_INVOKABLE static QVariantList ordemDepoisDe(int rotacoes);
    [[nodiscard]] Q_INVOKABLE static int fraseDepoisDe(int passos) { return vitrine::fraseDepoisDe(passos); }
    [[nodiscard]] Q_INVOKABLE static int profundidade(const QVariantList &ordem, int k);
    [[nodiscard]] Q_INVOKABLE static double raioXDaOrbita(double largura) { return vitrine::raioXDaOrbita(largura); }
    [[nodiscard]] Q_INVOKABLE static double raioYDaOrbita(double largura) { return vitrine::raioYDaOrbita(largura); }
    [[nodiscard]] Q_INVOKABLE static QPointF posicaoNaOrbita(int i, double t, double largura, double altura)
    {
        return vitrine::posicaoNaOrbita(i, t, largura, altura);
    }
    [[nodiscard]] Q_INVOKABLE static QPointF deslocamentoDaMancha1(double t) { return vitrine::deslocamentoDaMancha1(t); }
    [[nodiscard]] Q_INVOKABLE static QPointF deslocamentoDaMancha2(double t) { return vitrine::deslocamentoDaMancha2(t); }
    // The blob's soft edge for a gradient stop at `fracao` (0–1) of its reach (raio + 3 desfoque).
    [[nodiscard]] Q_INVOKABLE static double opacidadeNaMancha(double fracao, double raio, double desfoque)
    {
        return vitrine::opacidadeDaMancha(fracao * (raio + 3 * desfoque), raio, desfoque);
    }
    // The dots as a flat list [x, y, opacity, x, y, opacity, …] for one canvas pass.
    [[nodiscard]] Q_INVOKABLE static QList<double> pontosDeFundo(double largura, double altura);
};
