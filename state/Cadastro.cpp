#include "state/Cadastro.h"

#include "core/Codecs.h"
#include "core/Envelope.h"

using namespace Cripto;

QString normalizarEmail(const QString &email)
{
    return email.trimmed().toLower();
}

void apagarSegredo(QByteArray &segredo)
{
    // Volatile writes, so the compiler cannot drop them as dead stores.
    volatile char *bytes = segredo.data();
    for (qsizetype i = 0; i < segredo.size(); ++i)
        bytes[i] = 0;
    segredo.clear();
}

Cadastro gerarCadastro(const QString &email, const QString &senha)
{
    // Drawn in this order: salt, vault key, recovery code.
    const QByteArray sal = bytesAleatorios(16);
    QByteArray chaveDoCofre = bytesAleatorios(32);
    QByteArray bytesDaRecuperacao = bytesAleatorios(20);
    const QString codigo = agruparCodigoDeRecuperacao(codificarBase32(bytesDaRecuperacao));
    apagarSegredo(bytesDaRecuperacao);

    const ParametrosKdf kdf = ParametrosKdf::padrao();
    ChavesDaSenha chaves = derivarChavesDaSenha(senha, sal, kdf);
    ChavesDeRecuperacao recuperacao = derivarChavesDeRecuperacao(codigo);

    Cadastro cadastro;
    cadastro.pedido.email = normalizarEmail(email);
    cadastro.pedido.sal = codificarBase64URL(sal);
    cadastro.pedido.kdf = kdf;
    cadastro.pedido.prova = chaves.prova;
    cadastro.pedido.chaveDoCofreProtegida = selarEnvelope(chaveDoCofre, chaves.chaveDeEmbrulho, rotuloDaChaveDoCofre);
    cadastro.pedido.chaveDoCofreRecuperacao =
        selarEnvelope(chaveDoCofre, recuperacao.chaveDeEmbrulho, rotuloDaChaveDoCofre);
    cadastro.pedido.provaDeRecuperacao = recuperacao.prova;
    cadastro.chaveDoCofre = chaveDoCofre;
    cadastro.codigoDeRecuperacao = codigo;

    apagarSegredo(chaves.chaveDeEmbrulho);
    apagarSegredo(recuperacao.chaveDeEmbrulho);
    return cadastro;
}

