#pragma once

#include "modelli/modello.h"

#include <QString>
#include <QStringList>
#include <optional>

// Exit statuses of the command-line tool.
enum EsitoUscita
{
    UscitaFatto = 0,           // done; for "verifica": the check passed
    UscitaProblemaTrovato = 1, // "verifica": the check found a problem
    UscitaErroreFile = 2,      // a file or the JSON could not be read or written
    UscitaUsoErrato = 64       // wrong usage
};

enum class Comando
{
    Leggi,
    Scrivi,
    Verifica,
    Stampa
};

struct Argomenti
{
    Comando comando = Comando::Leggi;
    QString file;                   // leggi/verifica: the file; scrivi: the JSON, "-" for standard input
    QString uscita;                 // scrivi: the file to write; stampa: the PDF
    std::optional<Modello> modello; // read an XML file as this model's window would
    bool json = false;              // verifica: messages as JSON
    bool tutti = false;             // verifica: every problem, no question asked
    bool traccia = false;           // stampa: the drawing operations as JSON instead of a PDF
};

// What the command line asks for: a command to run, or a text to print and an exit status (help and
// version on standard output with status 0, wrong usage on standard error with status 64).
struct RichiestaRigaComando
{
    std::optional<Argomenti> argomenti;
    QString testo;
    int uscita = UscitaFatto;
};

// `argomenti` as the program gets them, its own name first.
RichiestaRigaComando analizzaArgomenti(const QStringList& argomenti);

QString nomeProgrammaRigaComando();
QString versioneRigaComando();
