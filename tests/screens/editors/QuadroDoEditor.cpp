#include "QuadroDoEditor.h"

#include "api/ClienteDaAPI.h"
#include "support/ContaNoServidor.h"
#include "support/Executar.h"

#include <QUrl>
#include <QPainter>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

namespace {

QImage deMatriz(const ZXing::BitMatrix &matriz)
{
    QImage imagem(matriz.width(), matriz.height(), QImage::Format_RGB32);
    for (int y = 0; y < matriz.height(); ++y) {
        for (int x = 0; x < matriz.width(); ++x)
            imagem.setPixel(x, y, matriz.get(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    return imagem;
}

QByteArray varint(quint64 valor)
{
    QByteArray saida;
    do {
        quint8 byte = valor & 0x7F;
        valor >>= 7;
        if (valor)
            byte |= 0x80;
        saida.append(char(byte));
    } while (valor);
    return saida;
}

QByteArray campoDeBytes(int numero, const QByteArray &bytes)
{
    return varint(quint64(numero) << 3 | 2) + varint(quint64(bytes.size())) + bytes;
}

QByteArray campoNumerico(int numero, quint64 valor)
{
    return varint(quint64(numero) << 3) + varint(valor);
}

} // namespace

namespace Testes {

QImage imagemDeQR(const QString &texto, int lado)
{
    ZXing::MultiFormatWriter escritor(ZXing::BarcodeFormat::QRCode);
    escritor.setMargin(4);
    return deMatriz(escritor.encode(texto.toStdString(), lado, lado));
}

QImage imagemDeCodigoDeBarras(const QString &texto)
{
    ZXing::MultiFormatWriter escritor(ZXing::BarcodeFormat::Code128);
    return deMatriz(escritor.encode(texto.toStdString(), 300, 80));
}

QImage ladoALado(const QList<QImage> &imagens)
{
    int largura = 40;
    int altura = 0;
    for (const QImage &imagem : imagens) {
        largura += imagem.width() + 40;
        altura = std::max(altura, imagem.height());
    }
    QImage tela(largura, altura + 80, QImage::Format_RGB32);
    tela.fill(Qt::white);
    QPainter pintor(&tela);
    int x = 40;
    for (const QImage &imagem : imagens) {
        pintor.drawImage(x, 40, imagem);
        x += imagem.width() + 40;
    }
    return tela;
}

QString linkDeMigracao(const QList<ContaExportada> &contas)
{
    QByteArray carga;
    for (const ContaExportada &conta : contas) {
        QByteArray parametros = campoDeBytes(1, conta.segredo) + campoDeBytes(2, conta.nome.toUtf8()) +
                                campoDeBytes(3, conta.emissor.toUtf8()) + campoNumerico(4, quint64(conta.algoritmo)) +
                                campoNumerico(5, quint64(conta.digitos)) + campoNumerico(6, quint64(conta.tipo));
        carga += campoDeBytes(1, parametros);
    }
    carga += campoNumerico(2, 1) + campoNumerico(3, 1) + campoNumerico(4, 0) + campoNumerico(5, 0);
    return QStringLiteral("otpauth-migration://offline?data=") +
           QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(carga.toBase64())));
}

} // namespace Testes

void QuadroDoEditor::SetUp()
{
    TelaComServidor::SetUp();

    const QString email = QStringLiteral("ana@exemplo.com");
    const Testes::ContaComChaves conta = Testes::novaContaComChaves(email, QStringLiteral("cavalo correto bateria"));
    servidor.estado().criarConta(conta.dados);
    const RespostaDeSessao sessao = Testes::sessaoDe(servidor.estado(), email);
    ClienteDaAPI(servidor.endereco()).guardarSessao(sessao);

    // The state's own environment but for the toast centre's clock.
    AmbienteDoEstado ambiente;
    ambiente.relogio = &relogio;
    criarEstado(std::move(ambiente));
    estado->abrirCofre(sessao.conta, conta.chave, true);
    ASSERT_TRUE(estado->cofre());
    ASSERT_TRUE(esperarAte([this] { return estado->cofre()->carregado() && !estado->cofre()->sincronizando(); }));
}

QString QuadroDoEditor::guardar(const ObjetoJSON &conteudo, TipoDeItem tipo)
{
    return Testes::executar(cofre().guardar(std::nullopt, conteudo, tipo)).id;
}

QList<ItemAberto> QuadroDoEditor::itensDoTipo(TipoDeItem tipo) const
{
    switch (tipo) {
    case TipoDeItem::codigo:
        return cofre().codigos();
    case TipoDeItem::senha:
        return cofre().senhas();
    case TipoDeItem::nota:
        return cofre().notas();
    }
    return {};
}

QString QuadroDoEditor::json(const ObjetoJSON &objeto)
{
    return ValorJSON::objeto(objeto).escrito();
}
