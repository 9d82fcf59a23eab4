#pragma once

#include <QDate>
#include <QString>

class SettlementSlip;

// The declaration date as the slip shows it, on every locale: four-digit
// year, month and day without leading zeros, joined by "-" (2026-12-9).
QString DeclarationDateText(const QDate &date);

// A click on the date box: today's date replaces whatever box 4 held.
void fillDeclarationDate(SettlementSlip &slip, const QDate &today);

// A click on the patient's name: the declarant (box 2) is copied into box 6.
void copyDeclarantToPatient(SettlementSlip &slip);
