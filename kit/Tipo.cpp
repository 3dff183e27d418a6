#include "kit/Tipo.h"

#include <QFontDatabase>

#include <cmath>

int Tipo::tamanho(Estilo estilo)
{
    switch (estilo) {
    case Title2: return 17;
    case Title3: return 15;
    case Headline: return 13;
    case Body: return 13;
    case Callout: return 12;
    case Subheadline: return 11;
    case Caption: return 10;
    }
    return 13;
}

QFont::Weight Tipo::pesoPadrao(Estilo estilo)
{
    return estilo == Headline ? QFont::DemiBold : QFont::Normal;
}

double Tipo::espacamento(double tamanhoEmPixels)
{
    // Inter's published dynamic-metrics curve, in em: a + b·e^(c·size).
    const double em = -0.0223 + 0.185 * std::exp(-0.1745 * tamanhoEmPixels);
    return em * tamanhoEmPixels;
}

QString Tipo::familia()
{
    static const QString escolhida = [] {
        const QString inter = QStringLiteral("Inter");
        if (QFontDatabase::families().contains(inter))
            return inter;
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return escolhida;
}

QString Tipo::familiaDosDigitos()
{
    static const QString escolhida = [] {
        const QString dejavu = QStringLiteral("DejaVu Sans Mono");
        if (QFontDatabase::families().contains(dejavu))
            return dejavu;
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return escolhida;
}

QFont Tipo::fonte(Tipo::Estilo estilo, int peso)
{
    QFont fonte(familia());
    const int pixels = tamanho(estilo);
    fonte.setPixelSize(pixels);
    fonte.setWeight(peso > 0 ? static_cast<QFont::Weight>(peso) : pesoPadrao(estilo));
    fonte.setLetterSpacing(QFont::AbsoluteSpacing, espacamento(pixels));
    fonte.setHintingPreference(QFont::PreferNoHinting);
    return fonte;
}
