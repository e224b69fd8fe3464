#include "legacy/letturav11.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringConverter>
#include <QStringDecoder>
#include <optional>

QString normalizzaAccenti(const QString& testo)
{
    QString risultato = testo;
    risultato.replace(QStringLiteral("a'"), QStringLiteral("à"));
    risultato.replace(QStringLiteral("e'"), QStringLiteral("è"));
    risultato.replace(QStringLiteral("i'"), QStringLiteral("ì"));
    risultato.replace(QStringLiteral("o'"), QStringLiteral("ò"));
    risultato.replace(QStringLiteral("u'"), QStringLiteral("ù"));
    return risultato;
}

namespace {

const QString finePagina = QStringLiteral("QUESTIONARIO");
constexpr QStringView fineNota = u"#||#";

// Bytes 0x80 to 0x9F of windows-1252; the five it leaves undefined stay the control characters of the same
// code, as Windows itself decodes them.
constexpr char16_t windows1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString daWindows1252(const QByteArray& byte)
{
    QString testo(byte.size(), Qt::Uninitialized);
    QChar* destinazione = testo.data();
    for (const char c : byte) {
        const auto codice = static_cast<unsigned char>(c);
        *destinazione++ = QChar(codice >= 0x80 && codice < 0xA0 ? windows1252[codice - 0x80] : codice);
    }
    return testo;
}

// The encoding the XML declaration names, lower-case; empty when it names none.
QByteArray codificaDichiarata(const QByteArray& byte)
{
    if (!byte.startsWith("<?xml"))
        return {};
    const qsizetype fine = byte.indexOf("?>");
    const QByteArray dichiarazione = byte.left(fine < 0 ? 0 : fine);
    qsizetype i = dichiarazione.indexOf("encoding");
    if (i < 0)
        return {};
    i += 8;
    const auto saltaSpazi = [&] {
        while (i < dichiarazione.size() && QByteArrayView(" \t\r\n").contains(dichiarazione[i]))
            ++i;
    };
    saltaSpazi();
    if (i >= dichiarazione.size() || dichiarazione[i] != '=')
        return {};
    ++i;
    saltaSpazi();
    if (i >= dichiarazione.size() || (dichiarazione[i] != '"' && dichiarazione[i] != '\''))
        return {};
    const qsizetype chiusa = dichiarazione.indexOf(dichiarazione[i], i + 1);
    if (chiusa < 0)
        return {};
    return dichiarazione.mid(i + 1, chiusa - i - 1).trimmed().toLower();
}

std::optional<QString> decodifica(const QByteArray& byte)
{
    if (const std::optional<QStringConverter::Encoding> marcata = QStringConverter::encodingForData(byte)) {
        QStringDecoder decodificatore(*marcata);
        return QString(decodificatore(byte));
    }
    const QByteArray nome = codificaDichiarata(byte);
    if (nome.isEmpty() || nome == "utf-8" || nome == "utf8")
        return QString::fromUtf8(byte);
    for (const char* latino : {"iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "windows-1252", "cp1252"}) {
        if (nome == latino)
            return daWindows1252(byte);
    }
    QStringDecoder decodificatore(nome.constData());
    if (!decodificatore.isValid())
        return std::nullopt;
    return QString(decodificatore(byte));
}

// The file's lines, without their ends; a final line end opens no further line.
QList<QStringView> righe(QStringView testo)
{
    QList<QStringView> risultato;
    qsizetype inizio = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c != u'\r' && c != u'\n')
            continue;
        risultato.append(testo.sliced(inizio, i - inizio));
        if (c == u'\r' && i + 1 < testo.size() && testo[i + 1] == u'\n')
            ++i;
        inizio = i + 1;
    }
    if (inizio < testo.size())
        risultato.append(testo.sliced(inizio));
    return risultato;
}

std::optional<int> numero16(QStringView testo)
{
    while (testo.startsWith(u' '))
        testo = testo.sliced(1);
    while (testo.endsWith(u' '))
        testo.chop(1);
    if (testo.isEmpty())
        return std::nullopt;
    int valore = 0;
    for (const QChar c : testo) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        valore = valore * 10 + (c.unicode() - u'0');
        if (valore > 32767)
            return std::nullopt;
    }
    return valore;
}

std::optional<Risposta> rispostaV11(QStringView testo)
{
    if (testo == u"Si" || testo == u"Adeguata")
        return Risposta::SI;
    if (testo == u"No" || testo == u"Inadeguata")
        return Risposta::NO;
    if (testo == u"N/A")
        return Risposta::NA;
    return std::nullopt;
}

QStringView senzaSpaziIniziali(QStringView testo)
{
    while (testo.startsWith(u' '))
        testo = testo.sliced(1);
    return testo;
}

class Lettore
{
public:
    Lettore(QStringView testo, RisultatoV11& risultato)
        : m_righe(righe(testo)), m_risultato(risultato), m_c(risultato.contenuto)
    {}

    bool leggi()
    {
        for (int saltate = 0; saltate < 3; ++saltate) {
            if (!prossima())
                return fineInattesa();
        }
        for (;;) {
            const std::optional<QStringView> riga = prossima();
            if (!riga)
                return fineInattesa();
            if (*riga == finePagina)
                break;
            if (!riga->isEmpty() && !rigaIntestazione(normalizzaAccenti(riga->toString())))
                return errore();
        }
        while (const std::optional<QStringView> riga = prossima()) {
            if (riga->contains(u'>'))
                break;
            if (!riga->isEmpty() && !rigaDomanda(*riga))
                return false;
        }
        return true;
    }

private:
    std::optional<QStringView> prossima()
    {
        if (m_posizione >= m_righe.size())
            return std::nullopt;
        return m_righe[m_posizione++];
    }

    // The line just read is broken.
    bool errore()
    {
        m_risultato.rigaErrore = int(m_posizione);
        return false;
    }

    bool fineInattesa()
    {
        m_risultato.rigaErrore = int(m_righe.size()) + 1;
        return false;
    }

    bool rigaIntestazione(QStringView riga)
    {
        const qsizetype trattino = riga.indexOf(u'-');
        if (trattino < 0)
            return false;
        const QStringView inizio = riga.left(5);
        if (inizio.contains(u"TEXT")) {
            const std::optional<int> indice = numero16(riga.mid(trattino + 1, 1));
            if (!indice || *indice >= numeroConteggiV11)
                return false;
            m_c.conteggi[*indice] = riga.mid(trattino + 3).toString();
        } else if (inizio.contains(u"CHECK")) {
            const std::optional<int> indice = numero16(riga.mid(trattino + 1, 1));
            const std::optional<int> valore = numero16(riga.mid(trattino + 2));
            if (!indice || *indice >= numeroMinoranzeV11 || !valore || *valore > 1)
                return false;
            m_c.minoranze[*indice] = *valore == 1;
        } else {
            // The field number stands before the dash, one separating character between them.
            if (trattino < 1)
                return false;
            const std::optional<int> indice = numero16(riga.left(trattino - 1));
            if (!indice || *indice >= numeroCampiGeneraliV11)
                return false;
            m_c.campiGenerali[*indice] = riga.mid(trattino + 2).toString();
        }
        return true;
    }

    bool rigaDomanda(QStringView riga)
    {
        const qsizetype trattino = riga.indexOf(u'-');
        if (trattino < 0)
            return errore();
        const std::optional<int> gruppo = numero16(riga.left(trattino));
        if (!gruppo || *gruppo >= numeroGruppiV11)
            return errore();
        const QStringView resto = riga.mid(trattino + 2);
        const qsizetype secondo = resto.indexOf(u'-');
        if (secondo < 1)
            return errore();
        const std::optional<Risposta> risposta = rispostaV11(senzaSpaziIniziali(resto.left(secondo - 1)));
        QString nota = resto.mid(secondo + 2).toString();
        if (!nota.isEmpty() && !nota.contains(fineNota)) {
            // The marker cannot straddle the CR LF that joins two lines, so each new line is looked at alone.
            for (;;) {
                const std::optional<QStringView> seguito = prossima();
                if (!seguito)
                    return fineInattesa();
                nota += QStringLiteral("\r\n");
                nota += *seguito;
                if (seguito->contains(fineNota))
                    break;
            }
            nota.chop(fineNota.size());
        }
        if (nota.contains(fineNota))
            nota.chop(fineNota.size());

        if (risposta)
            m_c.risposte[*gruppo] = *risposta;
        if (!nota.isEmpty()) {
            m_c.segniNota[*gruppo] = true;
            if (risposta == Risposta::SI)
                m_c.noteSIV11[*gruppo] = nota;
            else if (risposta == Risposta::NO)
                m_c.noteAltreV11[*gruppo] = nota;
        }
        return true;
    }

    const QList<QStringView> m_righe;
    qsizetype m_posizione = 0;
    RisultatoV11& m_risultato;
    ContenutoV11& m_c;
};

} // namespace

RisultatoV11 analizzaV11(const QByteArray& contenuto, const ContenutoV11& precedente)
{
    RisultatoV11 risultato;
    risultato.contenuto = precedente;
    pulisciModuloV11(risultato.contenuto);
    const std::optional<QString> testo = decodifica(contenuto);
    if (!testo || !Lettore(*testo, risultato).leggi())
        risultato.esito = RisultatoV11::Esito::FileIlleggibile;
    return risultato;
}

RisultatoV11 leggiFileV11(const QString& percorso, const ContenutoV11& precedente)
{
    if (percorso.isEmpty() || !QFileInfo(percorso).isFile())
        return {RisultatoV11::Esito::FileMancante, precedente, 0};
    QFile file(percorso);
    QByteArray contenuto;
    if (file.open(QIODevice::ReadOnly))
        contenuto = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        RisultatoV11 risultato{RisultatoV11::Esito::FileIlleggibile, precedente, 0};
        pulisciModuloV11(risultato.contenuto);
        return risultato;
    }
    return analizzaV11(contenuto, precedente);
}

Messaggio messaggioFileMancanteV11()
{
    return {QStringLiteral("ATTENZIONE: impossibile aprire il file.\r\n"
                           "Verificare che il nome del file sia corretto e che abbia\r\n"
                           "un'estensione \"xml.\" Operazione annullata!!!"),
            QStringLiteral("Errore"), Interazione::Pulsanti::Ok, Interazione::Icona::Critica};
}

QString titoloVisoreV11(const QString& percorso, const QString& cartellaProgramma)
{
    QString mostrato = percorso;
    if (!cartellaProgramma.isEmpty()) {
        QString cartella = QDir::fromNativeSeparators(cartellaProgramma);
        if (!cartella.endsWith(u'/'))
            cartella += u'/';
#ifdef Q_OS_WIN
        constexpr Qt::CaseSensitivity maiuscole = Qt::CaseInsensitive;
#else
        constexpr Qt::CaseSensitivity maiuscole = Qt::CaseSensitive;
#endif
        const QString unificato = QDir::fromNativeSeparators(percorso);
        if (unificato.size() > cartella.size() && unificato.startsWith(cartella, maiuscole))
            mostrato = percorso.mid(cartella.size());
    }
    return titoloBaseV11 + QStringLiteral(" - ") + mostrato;
}
