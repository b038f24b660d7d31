// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/line_output.h"

#include "base/dialogs.h"
#include "base/error.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringEncoder>

namespace kadmor {

namespace {

class TextFileOutput : public LineOutput
{
  public:
    explicit TextFileOutput(const QString& path) : m_file(path), m_encoder("windows-1250")
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw Error(QStringLiteral("Soubor „%1“ nelze vytvořit (%2).").arg(path, m_file.errorString()));
    }

    void writeLine(const QString& line) override
    {
        const QByteArray bytes = m_encoder.encode(line) + QByteArrayLiteral("\r\n");
        if (m_file.write(bytes) != bytes.size())
            fail();
    }

    void close() override
    {
        if (!m_file.flush())
            fail();
        m_file.close();
    }

  private:
    [[noreturn]] void fail()
    {
        const QString reason = m_file.errorString();
        m_file.close();
        throw Error(QStringLiteral("Do souboru „%1“ nelze zapisovat (%2).").arg(m_file.fileName(), reason));
    }

    QFile m_file;
    QStringEncoder m_encoder;
};

std::unique_ptr<QPrinter> chosenPrinter(const QString& pdfFile)
{
    if (!pdfFile.isEmpty()) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile);
        return printer;
    }
    // Without a printer Qt would quietly make a PDF printer that writes nowhere.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && QPrinterInfo::availablePrinters().isEmpty())
        throw Error(QStringLiteral("Není nainstalována žádná tiskárna.\r"
                                   "Na otázku „Tisk na tiskárnu?“ odpovězte Ne a vytiskne se do souboru."));
    return std::make_unique<QPrinter>(info.isNull() ? QPrinterInfo::availablePrinters().first() : info,
                                      QPrinter::HighResolution);
}

QFont printingFont()
{
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

class PrinterOutput : public LineOutput
{
  public:
    PrinterOutput(const QString& title, const QString& pdfFile) : m_printer(chosenPrinter(pdfFile))
    {
        m_printer->setDocName(title);
        if (!m_painter.begin(m_printer.get()))
            throw Error(QStringLiteral("Tisk „%1“ nelze zahájit.").arg(title));
        // A point size is kept in points on the printer's own resolution.
        m_painter.setFont(printingFont());
        const QFontMetrics metrics = m_painter.fontMetrics();
        m_lineSpacing = metrics.lineSpacing();
        m_ascent = metrics.ascent();
    }

    ~PrinterOutput() override
    {
        if (m_painter.isActive())
            m_painter.end();
    }

    void writeLine(const QString& line) override
    {
        if (m_top > 0 && m_top + m_lineSpacing > m_printer->height()) {
            if (!m_printer->newPage())
                throw Error(QStringLiteral("Tiskárna nepřijala další list."));
            m_top = 0;
        }
        m_painter.drawText(0, m_top + m_ascent, line);
        m_top += m_lineSpacing;
    }

    void close() override
    {
        if (!m_painter.end())
            throw Error(QStringLiteral("Tisk se nepodařilo dokončit."));
    }

  private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    int m_lineSpacing = 0;
    int m_ascent = 0;
    int m_top = 0;
};

} // namespace

bool askForPrinter(const QString& fileName)
{
    dialogs().beep();
    const QString question =
        QStringLiteral("Tisk na tiskárnu?\r(pokud ne, vytiskne se do souboru %1)").arg(fileName.toUpper());
    return dialogs().message(BoxType::Confirmation, question, Buttons::YesNo) == Answer::Yes;
}

std::unique_ptr<LineOutput> openTextFile(const QString& path)
{
    return std::make_unique<TextFileOutput>(path);
}

std::unique_ptr<LineOutput> openPrinter(const QString& title, const QString& pdfFile)
{
    return std::make_unique<PrinterOutput>(title, pdfFile);
}

std::unique_ptr<LineOutput> openLineOutput(bool printer, const QString& fileName, const QString& title,
                                           const QString& pdfFile)
{
    if (printer)
        return openPrinter(title, pdfFile);
    return openTextFile(QDir::current().filePath(fileName));
}

} // namespace kadmor
