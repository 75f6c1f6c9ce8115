#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// One bank file of a build: its name in the project's bin folder and its bytes.
struct BankFile
{
    QString name;
    QByteArray bytes;
};

// Builds the bank images of deviceType from the open project's files (the
// File_* paths of the workspace) in memory, and lists the files the type
// writes, in the order bank.bin, bank1.bin, bank2.bin, bank3.bin. Every build
// starts from nothing. On a reader error returns false with a message naming
// the file (and the section, row and attribute where they apply).
bool Build_Banks(int deviceType, QList<BankFile>& files, QString* error);

// Writes the files into projectPath/bin, creating bin when missing (but not
// a project folder that has gone: that is an error), each file replaced
// atomically, in order. A file that cannot be written
// stops the writing with a message naming it.
bool Save_Banks(const QString& projectPath, const QList<BankFile>& files, QString* error);

// Update Device's build: compiles the open project into the model's bank
// images and writes them to ProjectPath/bin. Nothing is written unless every
// reader succeeded. False with a message naming the file on failure, or the
// project folder when it no longer exists.
bool Build_And_Save_Banks(QString* error);
