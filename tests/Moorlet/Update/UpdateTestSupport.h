#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <archive.h>
#include <archive_entry.h>
#include <sodium.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// What the update tests serve and sign: a small HTTP server on 127.0.0.1, a signing key made
// for the run, and packages built with libarchive.
namespace updatetest {

// Answers GET requests from a table of path → (status, body); status 0 never answers.
struct HttpServer : QTcpServer {
    std::map<QByteArray, std::pair<int, QByteArray>> routes;
    int requests = 0;

    HttpServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            auto* socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
                    return;
                ++requests;
                const auto [status, body] = routes[socket->readAll().split(' ').value(1)];
                if (status == 0)
                    return;
                socket->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nConnection: close\r\nContent-Length: "
                    + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
    }
    QString url(const char* path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path); }
};

struct SigningKey {
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
    SigningKey() { crypto_sign_keypair(publicKey, secretKey); }

    QString publicBase64() const { return QByteArray(reinterpret_cast<const char*>(publicKey), sizeof publicKey).toBase64(); }
    QByteArray token(const QByteArray& payload) const
    {
        QByteArray signature(crypto_sign_BYTES, '\0');
        crypto_sign_detached(reinterpret_cast<unsigned char*>(signature.data()), nullptr,
            reinterpret_cast<const unsigned char*>(payload.constData()), std::size_t(payload.size()), secretKey);
        return payload.toBase64() + '.' + signature.toBase64();
    }
    QByteArray feed(const QByteArray& payload) const { return R"({"manifest":")" + token(payload) + R"("})"; }
};

struct Entry {
    std::string path;
    unsigned type = AE_IFREG;
    std::string data = {};
    int mode = 0644;
    // The target of a symbolic link, or of a hard link when `hard`.
    std::string link = {};
    bool hard = false;
};

// A .tar.gz, or a .zip, holding the entries as given (unsafe names included).
inline QByteArray pack(const std::vector<Entry>& entries, bool zip = false)
{
    std::unique_ptr<archive, decltype(&archive_write_free)> writer(archive_write_new(), archive_write_free);
    zip ? archive_write_set_format_zip(writer.get()) : archive_write_set_format_pax_restricted(writer.get());
    if (!zip)
        archive_write_add_filter_gzip(writer.get());
    std::vector<char> buffer(1 << 20);
    std::size_t used = 0;
    archive_write_open_memory(writer.get(), buffer.data(), buffer.size(), &used);
    for (const auto& item : entries) {
        std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(), archive_entry_free);
        archive_entry_set_pathname(entry.get(), item.path.c_str());
        archive_entry_set_filetype(entry.get(), item.type);
        archive_entry_set_perm(entry.get(), item.mode);
        archive_entry_set_size(entry.get(), la_int64_t(item.data.size()));
        if (item.hard)
            archive_entry_set_hardlink(entry.get(), item.link.c_str());
        else if (!item.link.empty())
            archive_entry_set_symlink(entry.get(), item.link.c_str());
        archive_write_header(writer.get(), entry.get());
        archive_write_data(writer.get(), item.data.data(), item.data.size());
    }
    archive_write_close(writer.get());
    return QByteArray(buffer.data(), qsizetype(used));
}

// A program folder whose bin/moorlet answers --version and, run otherwise, writes the version
// it is into the file "ran" beside bin/.
inline std::vector<Entry> bundle(const std::string& top, const std::string& version)
{
    return { { top + "/bin/moorlet", AE_IFREG,
        "#!/bin/sh\nif [ \"$1\" = --version ]; then echo moorlet " + version + "; exit 0; fi\necho " + version
            + " > \"${0%/bin/moorlet}/ran\"\n",
        0755 } };
}

} // namespace updatetest
