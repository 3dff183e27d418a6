#include "kit/SombraSuave.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <vector>

namespace {

// One pass of a box blur of the alpha channel along rows (or columns, when transposed).
void borrarCaixa(std::vector<float> &alfa, int largura, int altura, int raio, bool colunas)
{
    const int linhas = colunas ? largura : altura;
    const int comprimento = colunas ? altura : largura;
    std::vector<float> linha(comprimento);
    const float janela = 2.0f * raio + 1;
    for (int l = 0; l < linhas; ++l) {
        auto indice = [&](int i) { return colunas ? i * largura + l : l * largura + i; };
        float soma = 0;
        for (int i = -raio; i <= raio; ++i)
            soma += alfa[indice(std::clamp(i, 0, comprimento - 1))];
        for (int i = 0; i < comprimento; ++i) {
            linha[i] = soma / janela;
            soma += alfa[indice(std::min(i + raio + 1, comprimento - 1))] - alfa[indice(std::max(i - raio, 0))];
        }
        for (int i = 0; i < comprimento; ++i)
            alfa[indice(i)] = linha[i];
    }
}

} // namespace

SombraSuave::SombraSuave(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    connect(this, &SombraSuave::mudou, this, [this] { update(); });
}

void SombraSuave::paint(QPainter *pintor)
{
    const int largura = static_cast<int>(width());
    const int altura = static_cast<int>(height());
    if (largura <= 0 || altura <= 0)
        return;
    QImage forma(largura, altura, QImage::Format_Alpha8);
    forma.fill(0);
    {
        QPainter desenho(&forma);
        desenho.setRenderHint(QPainter::Antialiasing);
        QPainterPath caminho;
        caminho.addRoundedRect(QRectF(margem_ + deslocamentoX_, margem_ + deslocamentoY_, width() - 2 * margem_,
                                      height() - 2 * margem_),
                               raio_, raio_);
        desenho.fillPath(caminho, Qt::black);
    }
    std::vector<float> alfa(static_cast<size_t>(largura) * altura);
    for (int y = 0; y < altura; ++y) {
        const uchar *linha = forma.constScanLine(y);
        for (int x = 0; x < largura; ++x)
            alfa[static_cast<size_t>(y) * largura + x] = linha[x] / 255.0f;
    }
    // Three box passes approximate a Gaussian whose spread is half the blur radius.
    const int caixa = std::max(1, static_cast<int>(desfoque_ / 2));
    for (int passe = 0; passe < 3; ++passe) {
        borrarCaixa(alfa, largura, altura, caixa, false);
        borrarCaixa(alfa, largura, altura, caixa, true);
    }
    QImage sombra(largura, altura, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < altura; ++y) {
        auto *linha = reinterpret_cast<QRgb *>(sombra.scanLine(y));
        for (int x = 0; x < largura; ++x) {
            const float a = alfa[static_cast<size_t>(y) * largura + x] * static_cast<float>(cor_.alphaF());
            linha[x] = qPremultiply(qRgba(cor_.red(), cor_.green(), cor_.blue(), static_cast<int>(a * 255 + 0.5f)));
        }
    }
    pintor->drawImage(QPointF(0, 0), sombra);
}
