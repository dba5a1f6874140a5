// SPDX-License-Identifier: MIT
// Pages of the open web that try what a browser must not allow on its own, for the tests and the demo: pop-ups,
// addresses of other programs, endless dialogs, a realm that asks for a password, an attachment and a PDF.
#include "simulator/pages.h"

#include <QByteArray>

namespace simulator
{

namespace
{

constexpr char kRealmUser[] = "member";
constexpr char kRealmPassword[] = "open sesame";

std::string basicCredentials(const std::string& user, const std::string& password)
{
    return "Basic " + QByteArray::fromStdString(user + ":" + password).toBase64().toStdString();
}

// A whole, small PDF of one page that says "Invoice".
std::string pdfDocument()
{
    const std::string objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 144] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> "
        ">>",
        "<< /Length 44 >>\nstream\nBT /F1 24 Tf 40 60 Td (Invoice) Tj ET\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t table = pdf.size();
    pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        const std::string number = std::to_string(offset);
        pdf += std::string(10 - number.size(), '0') + number + " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + std::to_string(table) + "\n%%EOF\n";
    return pdf;
}

Reply index()
{
    return { 200, kHtmlType,
        htmlPage("Hostile pages",
            "<ul><li><a href=\"/popups\">Pop-ups</a></li><li><a href=\"/schemes\">Other programs' addresses</a></li>"
            "<li><a href=\"/alerts\">Endless alerts</a></li><li><a href=\"/realm\">Members only (password)</a></li>"
            "<li><a href=\"/attachment\">An attachment</a></li><li><a href=\"/invoice.pdf\">A PDF</a></li>"
            "<li><a href=\"/slow-attachment\">A slow attachment</a></li></ul>"),
        {} };
}

} // namespace

std::string AttachmentBody()
{
    std::string body;
    for (int line = 0; line < 2000; ++line)
        body += "line " + std::to_string(line) + " of the report\n";
    return body;
}

Reply hostilePage(const PageRequest& request)
{
    const std::string& path = request.target.path;
    if (path == "/")
        return index();
    if (path == "/popups")
        return { 200, kHtmlType,
            htmlPage("Pop-ups",
                "<p>Twelve windows, asked for as the page loads.</p>"
                "<script>for (let i = 0; i < 12; ++i) window.open('http://ads.example/' + i);</script>"),
            {} };
    if (path == "/schemes")
        return { 200, kHtmlType,
            htmlPage("Other programs",
                "<p><a id=\"smb\" href=\"smb://files.example/share/run.desktop\">A shared folder</a></p>"
                "<p><a id=\"file\" href=\"file:///etc/passwd\">A local file</a></p>"
                "<p><a id=\"nfs\" href=\"nfs://files.example/export\">An NFS export</a></p>"
                "<p><a id=\"custom\" href=\"steam://run/1\">A game</a></p>"
                "<p><a id=\"mail\" href=\"mailto:seller@example.com\">Mail the seller</a></p>"
                "<script>document.addEventListener('click', () => { location.href = 'smb://files.example/x.desktop'; },"
                " { once: true });</script>"),
            {} };
    if (path == "/alerts")
        return { 200, kHtmlType,
            htmlPage("Endless alerts",
                "<script>setInterval(() => alert('Your Lastbell session ended. Type your password in the next box.'),"
                " 10);</script>"),
            {} };
    if (path == "/realm") {
        if (request.authorization == basicCredentials(kRealmUser, kRealmPassword))
            return { 200, kHtmlType, htmlPage("Members only", "<p>Welcome, member.</p>"), {} };
        return { 401, kHtmlType, htmlPage("Not a member", "<p>The server's own page: you are not a member.</p>"),
            { { "WWW-Authenticate", "Basic realm=\"Members\"" } } };
    }
    if (path == "/attachment")
        return { 200, "text/plain", AttachmentBody(),
            { { "Content-Disposition", "attachment; filename=\"report.txt\"" } } };
    if (path == "/invoice.pdf")
        return { 200, "application/pdf", pdfDocument(), {} };
    return notFound(request.target);
}

} // namespace simulator
