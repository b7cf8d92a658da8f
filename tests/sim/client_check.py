"""A client that shares no code with the team's programs: starts mixer-sim,
asks it for the full state over a plain UDP socket on loopback, reassembles
the datagrams and checks the reply's frame, checksum and 27 groups, then ends
the simulator with SIGINT and expects a clean exit."""

import signal
import socket
import subprocess
import sys


def crc16_modbus(data: bytes) -> int:
    crc = 0xFFFF
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def free_port() -> int:
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main() -> int:
    sim_path = sys.argv[1]
    port = free_port()
    sim = subprocess.Popen([sim_path, "--address", "127.0.0.4", "--port", str(port)],
                           stdout=subprocess.PIPE, text=True)
    try:
        if "listening" not in sim.stdout.readline():
            print("mixer-sim did not start")
            return 1
        with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as client:
            client.bind(("127.0.0.1", 0))
            client.settimeout(3)
            client.sendto(b"%Z,01,F143#", ("127.0.0.4", port))
            reply = b""
            while not reply.endswith(b"#"):
                data, sender = client.recvfrom(4096)
                if sender[0] != "127.0.0.4" or len(data) > 128:
                    print("unexpected datagram from", sender, "of", len(data), "bytes")
                    return 1
                reply += data
        body, checksum = reply[:-5], reply[-5:-1].decode()
        if not reply.startswith(b"%Z,") or checksum != "%04X" % crc16_modbus(body):
            print("bad frame or checksum:", reply[:40], checksum)
            return 1
        parts = reply[1:-1].split(b",")
        if len(parts) != 30:
            print("expected letter, unit, 27 groups and checksum, got", len(parts), "parts")
            return 1
        if parts[28] != b"12":
            print("version group is", parts[28])
            return 1
    finally:
        sim.send_signal(signal.SIGINT)
        code = sim.wait(timeout=5)
    if code != 0:
        print("mixer-sim ended with", code)
        return 1
    print("one valid reply with 27 groups")
    return 0


if __name__ == "__main__":
    sys.exit(main())
