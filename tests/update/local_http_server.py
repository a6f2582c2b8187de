#!/usr/bin/env python3
"""A real HTTP server on 127.0.0.1 for the update tests.

usage: local_http_server.py [--tls DIR] [PATH RESPONSE]...

Prints its port, then answers a request for PATH with the raw RESPONSE (status line, head and
body) and closes the connection; other paths get 404, and the RESPONSE "ECHO" sends the request
head back as the body. --tls speaks https with a self-signed certificate for 127.0.0.1 made in
DIR (DIR/cert.pem). The server ends when its standard input closes, so it never outlives the
test that started it.
"""
import socket
import ssl
import subprocess
import sys
import threading

NOT_FOUND = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"


def make_certificate(folder):
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                    "ec_paramgen_curve:prime256v1", "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1",
                    "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", folder + "/key.pem",
                    "-out", folder + "/cert.pem"], check=True, capture_output=True)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(folder + "/cert.pem", folder + "/key.pem")
    return context


def answer(connection, pages, context):
    try:
        if context:
            connection = context.wrap_socket(connection, server_side=True)
        head = b""
        while b"\r\n\r\n" not in head and len(head) < 65536:
            chunk = connection.recv(4096)
            if not chunk:
                return
            head += chunk
        text = head.decode("latin-1")
        path = text.split(" ")[1] if text.count(" ") >= 2 else ""
        response = pages.get(path, NOT_FOUND)
        if response == "ECHO":
            response = "HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n%s" % (len(text), text)
        connection.sendall(response.encode("latin-1"))
    except (OSError, ssl.SSLError):
        pass  # a client that gave up or refused the certificate
    finally:
        connection.close()


def main():
    args = sys.argv[1:]
    context = None
    while args and args[0].startswith("--"):
        option = args.pop(0)
        if option == "--tls":
            context = make_certificate(args.pop(0))
    pages = dict(zip(args[::2], args[1::2]))
    listener = socket.create_server(("127.0.0.1", 0))
    print(listener.getsockname()[1], flush=True)

    def serve():
        while True:
            connection, _ = listener.accept()
            threading.Thread(target=answer, args=(connection, pages, context),
                             daemon=True).start()

    threading.Thread(target=serve, daemon=True).start()
    sys.stdin.read()


if __name__ == "__main__":
    main()
