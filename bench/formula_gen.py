"""Random formulas, each spelled for Tessarin and for bc from one description.

A formula is a tree of numbers, binary operators and function calls. Tessarin reads 1.5E3 and
SIN/COS/SQRT/LOG; bc knows no E notation and spells the functions s, c, sqrt and l. Both work in
radians here (Tessarin with --radians). Every group is parenthesised in both spellings, so the
two programs' different associativity of ^ never matters, and the generator keeps every value
inside the domains (no division by zero, no logarithm or root of a negative number).
"""

import math
import random


class Node:
    def __init__(self, tessarin, bc, value, atomic=True):
        self.tessarin = tessarin
        self.bc = bc
        self.value = value
        self.atomic = atomic  # needs no parentheses as an operand


def number(rng):
    kind = rng.random()
    if kind < 0.5:
        v = rng.randint(1, 999)
        return Node(str(v), str(v), float(v))
    if kind < 0.8:
        whole, frac = rng.randint(0, 99), rng.randint(1, 99)
        text = f"{whole}.{frac}"
        return Node(text, text, float(text))
    mantissa, exponent = rng.randint(11, 99), rng.randint(-3, 4)
    tess = f"{mantissa / 10}E{exponent}"
    bc = f"({mantissa / 10}*10^{exponent})"
    return Node(tess, bc, mantissa / 10 * 10.0**exponent)


def group(node):
    return Node(f"({node.tessarin})", f"({node.bc})", node.value)


def operand(node):
    return node if node.atomic else group(node)


def expression(rng, depth):
    if depth == 0 or rng.random() < 0.25:
        return number(rng)
    choice = rng.random()
    if choice < 0.2:
        arg = expression(rng, depth - 1)
        name = rng.choice(["SIN", "COS", "SQRT", "LOG"])
        if name in ("SQRT", "LOG"):
            if arg.value <= 0 or not math.isfinite(arg.value):
                return number(rng)
            value = math.sqrt(arg.value) if name == "SQRT" else math.log(arg.value)
        else:
            if abs(arg.value) > 1e6:
                return number(rng)
            value = math.sin(arg.value) if name == "SIN" else math.cos(arg.value)
        bc_name = {"SIN": "s", "COS": "c", "SQRT": "sqrt", "LOG": "l"}[name]
        return Node(f"{name}({arg.tessarin})", f"{bc_name}({arg.bc})", value)
    if choice < 0.3:
        base = group(expression(rng, depth - 1))
        power = rng.randint(2, 3)
        if abs(base.value) > 1e4 or base.value == 0:
            return base
        return Node(f"{base.tessarin}^{power}", f"{base.bc}^{power}", base.value**power)
    left = operand(expression(rng, depth - 1))
    right = operand(expression(rng, depth - 1))
    op = rng.choice("+-*/")
    if op == "/" and abs(right.value) < 1e-6:
        op = "+"
    value = {"+": left.value + right.value, "-": left.value - right.value,
             "*": left.value * right.value,
             "/": left.value / right.value if op == "/" else 0}[op]
    if not math.isfinite(value) or abs(value) > 1e12:
        return left
    return Node(f"{left.tessarin}{op}{right.tessarin}", f"{left.bc}{op}{right.bc}", value,
                atomic=False)


def formulas(count, seed=2026):
    """count (tessarin, bc) spellings; the top level never starts with a sign."""
    rng = random.Random(seed)
    out = []
    while len(out) < count:
        node = expression(rng, 3)
        if node.tessarin.startswith("-") or abs(node.value) < 1e-4:
            continue
        out.append((node.tessarin, node.bc))
    return out


def agree(a, b, digits=10):
    """True when two results agree to the given number of significant digits."""
    return abs(a - b) <= 10.0 ** -digits * max(1.0, abs(b)) * 10
