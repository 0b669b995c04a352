"""An SMTP server on 127.0.0.1 that keeps each message it receives, exactly as received.

    smtp_sink.py PORT FOLDER

Each message becomes FOLDER/N.eml, with its envelope recipients in FOLDER/N.rcpt; FOLDER/ready
appears once the server listens. It runs until it is killed.
"""
import os
import sys
import time

from aiosmtpd.controller import Controller


class Keeper:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.folder, str(self.count))
        with open(base + ".rcpt", "w") as rcpt:
            rcpt.write("\n".join(envelope.rcpt_tos) + "\n")
        # Written under another name first, so that a reader never sees half a message.
        with open(base + ".part", "wb") as out:
            out.write(envelope.original_content)
        os.rename(base + ".part", base + ".eml")
        return "250 Message accepted for delivery"


def main():
    port, folder = int(sys.argv[1]), sys.argv[2]
    controller = Controller(Keeper(folder), hostname="127.0.0.1", port=port)
    controller.start()
    open(os.path.join(folder, "ready"), "w").close()
    try:
        while True:
            time.sleep(3600)
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
