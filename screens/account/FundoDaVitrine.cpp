#include "FundoDaVitrine.h"

#include "RegrasDaVitrine.h"

#include <QPainter>
#include <QPainterPath>
#include <QQuickWindow>
#include <QRadialGradient>
#include <QSGImageNode>

#include <algorithm>
#include <cmath>
#include <memory>

// --- ManchaDoFundo ---

void ManchaDoFundo::definirCor(const QColor &cor)
{
    if (cor == cor_)
        return;
    cor_ = cor;
    mudarForma();
}

void ManchaDoFundo::definirAlfa(double alfa)
{
    if (alfa == alfa_)
        return;
    alfa_ = alfa;
    mudarForma();
}

void ManchaDoFundo::definirRaio(double raio)
{
    if (raio == raio_)
        return;
    raio_ = raio;
    mudarForma();
}

void ManchaDoFundo::definirDesfoque(double desfoque)
{
    if (desfoque == desfoque_)
        return;
    desfoque_ = desfoque;
    mudarForma();
}

void ManchaDoFundo::definirCentro(QPointF centro)
{
    if (centro == centro_)
        return;
    centro_ = centro;
    emit centroMudou();
}

void ManchaDoFundo::mudarForma()
{
    desenhada_ = false;
    emit formaMudou();
}

const QImage &ManchaDoFundo::imagem()
{
    if (!desenhada_) {
        imagem_ = desenhar(cor_, alfa_, raio_, desfoque_);
        desenhada_ = true;
    }
    return imagem_;
}

QRect ManchaDoFundo::lugar()
{
    const int lado = imagem().width();
    return {static_cast<int>(std::round(centro_.x() - lado / 2.0)),
            static_cast<int>(std::round(centro_.y() - lado / 2.0)), lado, lado};
}

QImage ManchaDoFundo::desenhar(const QColor &cor, double alfa, double raio, double desfoque)
{
    const double alcance = raio + 3 * desfoque;
    const int lado = static_cast<int>(std::ceil(2 * alcance));
    if (lado <= 0)
        return {};
    QImage imagem(lado, lado, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(Qt::transparent);
    {
        // The same nine stops, at the same fractions of the reach, as the blob has always had.
        const QPointF centro(lado / 2.0, lado / 2.0);
        QRadialGradient gradiente(centro, alcance, centro);
        for (const double fracao : {0.0, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0}) {
            QColor parada = cor;
            parada.setAlphaF(static_cast<float>(
                std::clamp(alfa * RegrasDaVitrine::opacidadeNaMancha(fracao, raio, desfoque), 0.0, 1.0)));
            gradiente.setColorAt(fracao, parada);
        }
        QPainter pintor(&imagem);
        pintor.fillRect(imagem.rect(), gradiente);
    }
    // Rows and columns left fully transparent at the edges are dropped, the same on every side
    // so the centre stays the centre.
    int margem = 0;
    const auto vazia = [&imagem](int x0, int y0, int largura, int altura) {
        for (int y = y0; y < y0 + altura; ++y) {
            const auto *linha = reinterpret_cast<const QRgb *>(imagem.constScanLine(y));
            for (int x = x0; x < x0 + largura; ++x)
                if (qAlpha(linha[x]) != 0)
                    return false;
        }
        return true;
    };
    while (2 * (margem + 1) < lado) {
        const int m = margem;
        const int interno = lado - 2 * m;
        if (!vazia(m, m, interno, 1) || !vazia(m, lado - 1 - m, interno, 1) || !vazia(m, m, 1, interno)
            || !vazia(lado - 1 - m, m, 1, interno))
            break;
        ++margem;
    }
    return margem > 0 ? imagem.copy(margem, margem, lado - 2 * margem, lado - 2 * margem) : imagem;
}

// --- FundoDaVitrine ---

namespace {

// One band's node: its picture, and the texture it shows, which it deletes with itself (on the
// thread that renders, as textures must be).
class NoDaFaixa final : public QSGNode {
public:
    explicit NoDaFaixa(QSGImageNode *imagem) : imagem_(imagem) { appendChildNode(imagem); }
    ~NoDaFaixa() override = default;
    NoDaFaixa(const NoDaFaixa &) = delete;
    NoDaFaixa &operator=(const NoDaFaixa &) = delete;

    [[nodiscard]] QSGImageNode *imagem() const { return imagem_; }
    [[nodiscard]] bool temTextura() const { return textura_ != nullptr; }
    void trocar(QSGTexture *nova)
    {
        imagem_->setTexture(nova);
        textura_.reset(nova);
    }

private:
    QSGImageNode *imagem_;
    std::unique_ptr<QSGTexture> textura_;
};

// Rows of each opaque band: a blob's move replaces, and the renderer draws again, only the bands
// its squares reach.
constexpr int linhasPorFaixa = 64;

// The panel's corner radius in whole device pixels: the strips above and below the opaque band
// are that tall.
int alturaDaFaixa(QSize pixels, qreal escala, double raio)
{
    const double r = std::min({raio * escala, pixels.width() / 2.0, pixels.height() / 2.0});
    return r > 0 ? static_cast<int>(std::ceil(r)) : 0;
}

// The panel's colour with its dots, opaque, over the whole panel.
QImage desenharBase(QSize pixels, qreal escala, QSizeF tamanho, const QColor &cor)
{
    QImage base(pixels, QImage::Format_RGB32);
    base.fill(cor.rgb());
    QPainter pintor(&base);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.scale(escala, escala);
    pintor.setPen(Qt::NoPen);
    for (const vitrine::PontoDeFundo &ponto : vitrine::pontosDeFundo(tamanho.width(), tamanho.height())) {
        pintor.setBrush(QColor::fromRgbF(201 / 255.0F, 210 / 255.0F, 227 / 255.0F, static_cast<float>(ponto.opacidade)));
        pintor.drawEllipse(QRectF(ponto.x - 1, ponto.y - 1, 2, 2));
    }
    return base;
}

// The panel's rounded shape as alpha, over `linhas` of a panel of `pixels`.
QImage desenharMascara(QSize pixels, const QRect &linhas, double raio)
{
    QImage mascara(linhas.size(), QImage::Format_ARGB32_Premultiplied);
    mascara.fill(Qt::transparent);
    QPainter pintor(&mascara);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.translate(0, -linhas.top());
    QPainterPath forma;
    forma.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(pixels)), raio, raio);
    pintor.fillPath(forma, Qt::black);
    return mascara;
}

// Blobs over the base, inside `trecho` (device pixels of the panel), into `alvo`, whose first row
// is the panel's row `topo`. Every fill has a rectangular clip, so each is a plain copy or blend.
void pintarTrecho(QImage &alvo, int topo, const QImage &base, const QImage &mascara, const QRect &trecho,
                  qreal escala, const QList<std::pair<QRect, const QImage *>> &manchas)
{
    QPainter pintor(&alvo);
    pintor.translate(0, -topo);
    pintor.setClipRect(trecho);
    pintor.setCompositionMode(QPainter::CompositionMode_Source);
    pintor.drawImage(trecho.topLeft(), base, trecho);
    pintor.setCompositionMode(QPainter::CompositionMode_SourceOver);
    pintor.setRenderHint(QPainter::SmoothPixmapTransform, escala != 1);
    for (const auto &[lugar, imagem] : manchas) {
        const QRect emPixels(QPoint(qRound(lugar.x() * escala), qRound(lugar.y() * escala)),
                             QSize(qRound(lugar.width() * escala), qRound(lugar.height() * escala)));
        if (!emPixels.intersects(trecho))
            continue;
        if (escala == 1)
            pintor.drawImage(emPixels.topLeft(), *imagem);
        else
            pintor.drawImage(QRectF(emPixels), *imagem);
    }
    if (!mascara.isNull()) {
        pintor.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        pintor.drawImage(QPoint(0, topo), mascara);
    }
}

} // namespace

FundoDaVitrine::FundoDaVitrine(QQuickItem *parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

FundoDaVitrine::~FundoDaVitrine() = default;

void FundoDaVitrine::definirCor(const QColor &cor)
{
    if (cor == cor_)
        return;
    cor_ = cor;
    refazer();
    emit corMudou();
}

void FundoDaVitrine::definirRaioDoRecorte(double raio)
{
    if (raio == raioDoRecorte_)
        return;
    raioDoRecorte_ = raio;
    refazer();
    emit raioDoRecorteMudou();
}

QQmlListProperty<ManchaDoFundo> FundoDaVitrine::manchas()
{
    return {this, nullptr, &FundoDaVitrine::anexar, &FundoDaVitrine::contar, &FundoDaVitrine::em,
            &FundoDaVitrine::limpar};
}

void FundoDaVitrine::anexar(QQmlListProperty<ManchaDoFundo> *lista, ManchaDoFundo *mancha)
{
    auto *fundo = static_cast<FundoDaVitrine *>(lista->object);
    if (!mancha)
        return;
    fundo->manchas_.append(mancha);
    connect(mancha, &ManchaDoFundo::centroMudou, fundo, [fundo, mancha] { fundo->manchaMudou(mancha, false); });
    connect(mancha, &ManchaDoFundo::formaMudou, fundo, [fundo, mancha] { fundo->manchaMudou(mancha, true); });
    // A blob destroyed with its layer leaves the panel bare where it was.
    connect(mancha, &QObject::destroyed, fundo, [fundo] {
        fundo->manchas_.removeAll(nullptr);
        fundo->refazer();
    });
    fundo->refazer();
    emit fundo->manchasMudaram();
}

qsizetype FundoDaVitrine::contar(QQmlListProperty<ManchaDoFundo> *lista)
{
    return static_cast<FundoDaVitrine *>(lista->object)->manchas_.size();
}

ManchaDoFundo *FundoDaVitrine::em(QQmlListProperty<ManchaDoFundo> *lista, qsizetype i)
{
    return static_cast<FundoDaVitrine *>(lista->object)->manchas_.value(i);
}

void FundoDaVitrine::limpar(QQmlListProperty<ManchaDoFundo> *lista)
{
    auto *fundo = static_cast<FundoDaVitrine *>(lista->object);
    for (const QPointer<ManchaDoFundo> &mancha : std::as_const(fundo->manchas_))
        if (mancha)
            disconnect(mancha, nullptr, fundo, nullptr);
    fundo->manchas_.clear();
    fundo->refazer();
    emit fundo->manchasMudaram();
}

QList<ManchaDoFundo *> FundoDaVitrine::vivas() const
{
    QList<ManchaDoFundo *> vivas;
    for (const QPointer<ManchaDoFundo> &mancha : manchas_)
        if (mancha)
            vivas.append(mancha.data());
    return vivas;
}

void FundoDaVitrine::refazer()
{
    refazer_ = true;
    update();
}

QRect FundoDaVitrine::emPixels(const QRect &pontos) const
{
    // Outward to whole pixels, and a pixel more for the smoothing of a scaled blob.
    const QRectF r(pontos.x() * escala_, pontos.y() * escala_, pontos.width() * escala_, pontos.height() * escala_);
    return r.toAlignedRect().adjusted(-1, -1, 1, 1);
}

void FundoDaVitrine::manchaMudou(ManchaDoFundo *mancha, bool forma)
{
    if (refazer_)
        return;
    const qsizetype i = manchas_.indexOf(mancha);
    if (i < 0 || i >= lugares_.size())
        return refazer();
    const QRect agora = mancha->lugar();
    if (!forma && agora == lugares_.at(i))
        return; // moved less than a whole point
    pendente_ += emPixels(lugares_.at(i));
    pendente_ += emPixels(agora);
    lugares_[i] = agora;
    update();
}

void FundoDaVitrine::geometryChange(const QRectF &nova, const QRectF &antiga)
{
    QQuickItem::geometryChange(nova, antiga);
    if (nova.size() != antiga.size())
        refazer();
}

void FundoDaVitrine::itemChange(ItemChange mudanca, const ItemChangeData &dados)
{
    QQuickItem::itemChange(mudanca, dados);
    if (mudanca == ItemDevicePixelRatioHasChanged || mudanca == ItemSceneChange)
        refazer();
}

void FundoDaVitrine::prepararFaixas()
{
    const QSize pixels = (size() * escala_).toSize();
    base_ = desenharBase(pixels, escala_, size(), cor_);
    const int r = alturaDaFaixa(pixels, escala_, raioDoRecorte_);
    const double raio = std::min({raioDoRecorte_ * escala_, pixels.width() / 2.0, pixels.height() / 2.0});
    faixas_.clear();
    const auto opacas = [this, pixels](int de, int ate) {
        for (int y = de; y < ate; y += linhasPorFaixa) {
            const QRect linhas(0, y, pixels.width(), std::min(linhasPorFaixa, ate - y));
            faixas_.append({linhas, QImage(linhas.size(), QImage::Format_RGB32), {}});
        }
    };
    if (r == 0) {
        opacas(0, pixels.height());
        return;
    }
    const QRect topo(0, 0, pixels.width(), r);
    const QRect baixo(0, pixels.height() - r, pixels.width(), r);
    faixas_.append({topo, QImage(topo.size(), QImage::Format_ARGB32_Premultiplied), desenharMascara(pixels, topo, raio)});
    opacas(r, pixels.height() - r);
    faixas_.append({baixo, QImage(baixo.size(), QImage::Format_ARGB32_Premultiplied), desenharMascara(pixels, baixo, raio)});
}

void FundoDaVitrine::comporRegiao(const QRegion &regiao)
{
    QList<std::pair<QRect, const QImage *>> manchas;
    for (ManchaDoFundo *mancha : vivas())
        if (!mancha->imagem().isNull())
            manchas.append({mancha->lugar(), &mancha->imagem()});
    for (Faixa &faixa : faixas_) {
        for (const QRect &trecho : regiao) {
            const QRect parte = trecho.intersected(faixa.linhas);
            if (parte.isEmpty())
                continue;
            pintarTrecho(faixa.imagem, faixa.linhas.top(), base_, faixa.mascara, parte, escala_, manchas);
            pixelsCompostos_ += static_cast<qint64>(parte.width()) * parte.height();
        }
    }
}

QImage FundoDaVitrine::compor(QSizeF tamanho, qreal escala, const QColor &cor, double raioDoRecorte,
                              const QList<ManchaDoFundo *> &manchas)
{
    const QSize pixels = (tamanho * escala).toSize();
    QImage inteira(pixels, QImage::Format_ARGB32_Premultiplied);
    const QImage base = desenharBase(pixels, escala, tamanho, cor);
    const double raio = std::min({raioDoRecorte * escala, pixels.width() / 2.0, pixels.height() / 2.0});
    const QImage mascara = raio > 0 ? desenharMascara(pixels, inteira.rect(), raio) : QImage();
    QList<std::pair<QRect, const QImage *>> lista;
    for (ManchaDoFundo *mancha : manchas)
        if (!mancha->imagem().isNull())
            lista.append({mancha->lugar(), &mancha->imagem()});
    pintarTrecho(inteira, 0, base, mascara, inteira.rect(), escala, lista);
    return inteira;
}

QSGNode *FundoDaVitrine::updatePaintNode(QSGNode *antigo, UpdatePaintNodeData *)
{
    QQuickWindow *janela = window();
    if (!janela || width() <= 0 || height() <= 0) {
        delete antigo;
        refazer_ = true;
        return nullptr;
    }
    const qreal escala = janela->effectiveDevicePixelRatio();
    if (escala != escala_ || !antigo)
        refazer_ = true;
    escala_ = escala;

    QSGNode *raiz = antigo;
    if (refazer_) {
        delete raiz;
        raiz = new QSGNode;
        prepararFaixas();
        lugares_.clear();
        for (ManchaDoFundo *mancha : vivas())
            lugares_.append(mancha->lugar());
        pendente_ = QRegion(QRect(QPoint(0, 0), (size() * escala_).toSize()));
        for (const Faixa &faixa : std::as_const(faixas_)) {
            QSGImageNode *no = janela->createImageNode();
            no->setOwnsTexture(false);
            no->setFiltering(escala_ == 1 ? QSGTexture::Nearest : QSGTexture::Linear);
            no->setRect(QRectF(faixa.linhas.x() / escala_, faixa.linhas.y() / escala_,
                               faixa.linhas.width() / escala_, faixa.linhas.height() / escala_));
            raiz->appendChildNode(new NoDaFaixa(no));
        }
        refazer_ = false;
    }
    if (pendente_.isEmpty())
        return raiz;

    comporRegiao(pendente_);
    QSGNode *filho = raiz->firstChild();
    for (const Faixa &faixa : std::as_const(faixas_)) {
        auto *no = static_cast<NoDaFaixa *>(filho);
        filho = filho->nextSibling();
        if (!no->temTextura() || pendente_.intersects(faixa.linhas)) {
            // The texture keeps its own copy of the picture, which goes on changing here.
            no->trocar(janela->createTextureFromImage(faixa.imagem));
            no->imagem()->setSourceRect(QRectF(QPointF(0, 0), QSizeF(faixa.imagem.size())));
        }
    }
    pendente_ = QRegion();
    return raiz;
}
