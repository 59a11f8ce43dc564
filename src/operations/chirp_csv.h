// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CHIRP's generic CSV file of memories, both ways. It holds analog FM channels only:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,
//   CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE
//
// one memory a line, fields quoted when they hold a comma or a quote, CR LF line ends. Frequency
// and Offset are MHz; Duplex is empty (simplex), "+" or "-" (Offset from the receive frequency),
// "split" (Offset is the transmit frequency) or "off" (receive only). Tone is empty, "Tone" (the
// rToneFreq CTCSS tone sent), "TSQL" (the cToneFreq tone sent and required), "DTCS" (DtcsCode sent
// and required, DtcsPolarity's letters N or R for the two directions) or "Cross", whose CrossMode
// "X->Y" names what is sent (rToneFreq or DtcsCode) and what is required (cToneFreq or
// RxDtcsCode). Mode "NFM" is 12.5 kHz, "FM" 25 kHz. Power is in watts ("5.0W").
//
// Reading takes the columns by the names of the header line, in any order, and skips lines that
// begin with '#'. A field quoted across a line end is not read as one.

#include "operations/transfer_outcome.h"

#include <string>
#include <string_view>

namespace pw {

class Codeplug;
class Prompts;
class TextLineReader;
class WorkProgress;

inline constexpr const char* ChirpCsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// The analog channels of the codeplug as a CHIRP CSV file, numbered from 1 in table order.
std::string chirpCsv(const Codeplug& codeplug);

struct ChirpImport {
    // The file began with a CHIRP header line; otherwise `refusal` says why.
    bool read = false;
    std::string refusal;
    int imported = 0;
    int namePresent = 0;   // a channel of that name is in the codeplug already
    int outOfBand = 0;     // a frequency outside the radio's bands
    int notFm = 0;         // AM, DV and other modes
    int unreadable = 0;    // a value that does not read, or one the radio cannot hold
    int tableFull = 0;     // lines that found the channel table full
};

// Adds the memories of a CHIRP CSV file, read line by line, as analog channels.
ChirpImport importChirpCsv(Codeplug& working, TextLineReader& lines);

// "%d channels imported." and a line for each kind of line not imported.
std::string chirpImportReport(const Codeplug& working, const ChirpImport& imported);

// The window's "Export FM Channels to CHIRP..." and "Import FM Channels from CHIRP...".
TransferOutcome exportChirpCommand(const Codeplug& working, Prompts& prompts);
TransferOutcome importChirpCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress = nullptr);

} // namespace pw
