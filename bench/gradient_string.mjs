// The npm package gradient-string colouring the same 1 MiB text as fade_bench, from red to
// blue: the figure the fade is compared with. Prints milliseconds per run and output bytes.
import gradient from 'gradient-string';

const pattern = 'The quick brown fox jumps over the lazy dog. ';
let text = '';
while (text.length < (1 << 20)) text += pattern;
text = text.slice(0, 1 << 20);

const fade = gradient(['#FF0000', '#0000FF']);
let output = fade(text);  // warm-up
const runs = 3;
const start = process.hrtime.bigint();
for (let run = 0; run < runs; ++run) output = fade(text);
const milliseconds = Number(process.hrtime.bigint() - start) / 1e6 / runs;
console.log(JSON.stringify({ milliseconds, outputBytes: Buffer.byteLength(output) }));
