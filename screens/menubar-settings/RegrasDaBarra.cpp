#include "RegrasDaBarra.h"

#include "screens/comum/AreaDeTransferencia.h"
#include "screens/menubar-settings/VerificadorDeAtualizacao.h"
#include "servicos/CentralDeAvisos.h"

QString RegrasDaBarra::face(const QString &nomeDaFase)
{
    if (nomeDaFase == QLatin1String("bloqueado") || nomeDaFase == QLatin1String("aberto"))
        return nomeDaFase;
    return QStringLiteral("semConta");
}

QString RegrasDaBarra::textoDoDownload(const QVariant &disponivel)
{
    if (!disponivel.isValid() || !disponivel.canConvert<VersaoPublicada>())
        return {};
    return QStringLiteral("Baixar a versão ") + disponivel.value<VersaoPublicada>().versao;
}

bool ListaDaBarra::copiar(int linha, CentralDeAvisos *avisos) const
{
    if (!avisos || linha < 0 || linha >= rowCount())
        return false;
    return RegrasDoCodigo::copiar(momento(linha).codigo, QStringLiteral("Copiado"), *avisos,
                                  AreaDeTransferencia::doProcesso());
}
