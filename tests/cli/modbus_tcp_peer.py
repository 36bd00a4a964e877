#!/usr/bin/python3
"""A MODBUS TCP server on pymodbus holding a heat-exchanger controller's
registers, the independent peer of hxctl's MODBUS TCP tests.

Prints the TCP port it listens on (127.0.0.1), then serves until killed.
Exits with 77 when pymodbus is missing."""
import socket
import sys

try:
    from pymodbus.datastore import ModbusSequentialDataBlock, ModbusServerContext, ModbusSlaveContext
    from pymodbus.server import StartTcpServer
except ImportError:
    print("pymodbus is not installed (Debian packages python3-pymodbus, python3-serial-asyncio)", file=sys.stderr)
    sys.exit(77)

ADDRESS = 1
# Holding registers 0-43: plausible factory settings of a controller.
HOLDING = [
    300, 2200, 800, 50, 350, 200, 50, 50, 2, 1, 1,
    300, 2400, 900, 50, 400, 250, 150, 50, 2, 1, 1,
    50, 30, 80, 40, 1,
    ADDRESS,
    550, 0x10000 - 100,
    1100, 0, 0,
    0, 0, 0, 0,
    0, 0,
    580, 420,
    350, 30, 4500,
]
FIRMWARE = "PYMODBUS PEER V1"


def text_registers(text, count):
    raw = text.encode("latin-1").ljust(2 * count, b"\0")
    return [raw[2 * i] * 256 + raw[2 * i + 1] for i in range(count)]


# Input registers 0-14: measurements (fan speeds, tenths of C, V, A); 15-23 the firmware text.
INPUTS = [1500, 1510, 1800, 1790, 251, 180, 480, 0, 0, 0, 0, 0, 0, 0, 0] + text_registers(FIRMWARE, 9)


def main():
    # A free port, chosen here so it can be printed before serving starts.
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()

    store = ModbusSlaveContext(
        di=ModbusSequentialDataBlock(0, [0] * 32),
        co=ModbusSequentialDataBlock(0, [0] * 32),
        hr=ModbusSequentialDataBlock(0, HOLDING + [0] * 4),
        ir=ModbusSequentialDataBlock(0, INPUTS + [0] * 8),
        zero_mode=True,
    )
    context = ModbusServerContext(slaves=store, single=True)
    print(port, flush=True)
    StartTcpServer(context=context, address=("127.0.0.1", port))


if __name__ == "__main__":
    main()
