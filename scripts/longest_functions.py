#!/usr/bin/env python3
# Lists the longest C++ functions below a folder, counted from the signature's first line to the
# closing brace by brace counting (comments, strings and preprocessor lines ignored).
#   scripts/longest_functions.py src [N]   -> the N (default 5) longest: "lines file:line signature"
import re, sys, pathlib
def strip(text):  # blank out comments, strings and char literals, keep newlines
    return re.sub(r'^[ \t]*#[^\n]*|//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'',
                  lambda m: re.sub(r'[^\n]', ' ', m.group(0)), text, flags=re.S | re.M)
def functions(path):
    text = strip(path.read_text(errors='replace'))
    stack, header, hstart, line = [], '', None, 1
    for ch in text:
        if ch == '{':
            inside_fn = any(kind == 'fn' for kind, _, _ in stack)
            if inside_fn:
                kind = 'block'
            elif re.search(r'\b(namespace|class|struct|enum|union)\b', header) and '(' not in header:
                kind = 'scope'
            elif ')' in header and not re.search(r'=\s*$', header):
                kind = 'fn'
            else:
                kind = 'data'
            stack.append((kind, hstart or line, ' '.join(header.split())[:70]))
            header, hstart = '', None
        elif ch == '}':
            if stack:
                kind, start, name = stack.pop()
                if kind == 'fn':
                    yield line - start + 1, f'{path}:{start}', name
            header, hstart = '', None
        elif ch == ';':
            header, hstart = '', None
        else:
            if not ch.isspace() and hstart is None:
                hstart = line
            header += ch
        if ch == '\n':
            line += 1
root = pathlib.Path(sys.argv[1])
n = int(sys.argv[2]) if len(sys.argv) > 2 else 5
found = [f for p in sorted(root.rglob('*')) if p.suffix in ('.cpp', '.h') for f in functions(p)]
for length, where, name in sorted(found, reverse=True)[:n]:
    print(f'{length:4d} {where} {name}')
