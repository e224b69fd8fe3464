#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <memory>

class Interazione;
class QIODevice;
class Questionario;
struct ContenutoV11;
namespace json {
class Flusso;
}

// Input that cannot be used: a JSON that does not describe a questionnaire, a file that cannot be read or
// written. The description is Italian and names the file or the key at fault.
class ErroreDati : public std::exception
{
public:
    explicit ErroreDati(QString descrizione);
    const QString& descrizione() const noexcept { return m_descrizione; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_descrizione;
    QByteArray m_utf8;
};

// Writes JSON to a device in pieces, as UTF-8: values through the JSON library (strings escaped, non-ASCII
// kept as it is), punctuation and layout as the caller gives them. fine() writes what is left and raises
// ErroreDati when the device refused a write.
class ScrittoreJson
{
public:
    explicit ScrittoreJson(QIODevice& uscita);
    ~ScrittoreJson();
    ScrittoreJson(const ScrittoreJson&) = delete;
    ScrittoreJson& operator=(const ScrittoreJson&) = delete;

    // Punctuation, keys' quotes and layout, written as they are (ASCII).
    ScrittoreJson& operator<<(const char* testo);
    void testo(const QString& valore);
    void booleano(bool valore);
    void intero(int valore);
    void numero(double valore); // at most three decimals
    void nullo();
    void fine();

private:
    std::unique_ptr<json::Flusso> m_flusso;
};

// The whole questionnaire as JSON, keys in a fixed order (a questionnaire always gives the same text):
// modello, datiGenerali (every general field of the model, by index), riunioniNA, conteggiRiquadroII (3),
// risposte, noteSI, noteAltre, segniNota (82 each, by question index), membri (every row and column of the
// members table). Ends with a line break.
void scriviQuestionarioJson(const Questionario& q, ScrittoreJson& json);
QByteArray questionarioInJson(const Questionario& q);

// A file of version 1.1 as JSON, in the same layout: versione ("1.1"), datiGenerali (fields 0 to 36),
// minoranze (5), conteggi (3), risposte, noteSI, noteAltre, segniNota (72 each, by group).
void scriviContenutoV11Json(const ContenutoV11& contenuto, ScrittoreJson& json);

// Builds the questionnaire a JSON describes, through the core's own setters with no editing rule running.
// A missing key counts as empty. Refused, with ErroreDati naming the key or the byte: malformed JSON, a key
// given twice, an unknown key, a wrong type, an array of the wrong length, a general field the model does not
// have, an answer for a box the question does not have (e.g. "NA" where there is no N/A box), a note over the
// note length limit, a value the model cannot hold (field 65 with its N/A mark, the N/A mark or the counts
// where the model has none). Column 0 and the requisiti column of the members are recomputed from the row and
// the hidden text; fewer than three rows are padded to three.
// The JSON's bytes are the parser's working memory: pass them with std::move when they are no longer needed.
std::unique_ptr<Questionario> questionarioDaJson(QByteArray json, Interazione& interazione);
