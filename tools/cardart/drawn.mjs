// Figures we draw ourselves, for animals the icon sets lack.
// Each is SVG markup on a 512 x 512 canvas, facing right, using the
// placeholders INK (the figure) and LIGHT (markings cut into it).

function fan(cx, cy, r, a0, a1, feathers) {
    // A spread tail: a sector split into feathers by light rays.
    const rad = a => (a * Math.PI) / 180;
    const pt = (a, rr) => `${(cx + rr * Math.cos(rad(a))).toFixed(1)} ${(cy + rr * Math.sin(rad(a))).toFixed(1)}`;
    let out = `<path fill="INK" d="M${cx} ${cy} L${pt(a0, r)} A${r} ${r} 0 0 1 ${pt(a1, r)} Z"/>`;
    for (let i = 1; i < feathers; ++i) {
        const a = a0 + ((a1 - a0) * i) / feathers;
        out += `<path stroke="LIGHT" stroke-width="5" d="M${pt(a, r * 0.35)} L${pt(a, r * 0.99)}"/>`;
    }
    // The dark band near the tip that ruffed grouse carry, set off by a light line.
    out += `<path fill="none" stroke="LIGHT" stroke-width="7" d="M${pt(a0 + 2, r * 0.8)} A${r * 0.8} ${r * 0.8} 0 0 1 ${pt(a1 - 2, r * 0.8)}"/>`;
    return out;
}

export const drawn = {
    // Hanging head down from a branch by its tail: the pose everyone knows.
    opossum: `
<path fill="INK" d="M24 74 Q256 44 490 70 L490 96 Q256 72 24 102 Z"/>
<path fill="INK" d="M120 82 q-30 -40 -70 -52 q44 2 82 44 z"/>
<path fill="none" stroke="INK" stroke-width="16" stroke-linecap="round" d="M270 160 C270 128 244 124 240 96 C236 64 262 48 282 60 C300 72 296 104 276 112"/>
<path fill="INK" d="M258 150 L284 150 L300 200 L242 200 Z"/>
<ellipse fill="INK" cx="270" cy="272" rx="76" ry="98"/>
<path fill="INK" d="M214 214 C180 196 160 170 152 150 L170 142 C186 164 206 180 232 190 Z"/>
<path fill="INK" d="M326 214 C360 196 380 170 388 150 L370 142 C354 164 334 180 308 190 Z"/>
<path fill="INK" d="M216 330 C196 352 184 380 182 404 L202 408 C206 384 220 362 240 346 Z"/>
<path fill="INK" d="M324 330 C344 352 356 380 358 404 L338 408 C334 384 320 362 300 346 Z"/>
<path fill="INK" d="M214 344 C214 320 326 320 326 344 C326 390 292 440 270 486 C248 440 214 390 214 344 Z"/>
<circle fill="INK" cx="212" cy="334" r="26"/>
<circle fill="INK" cx="328" cy="334" r="26"/>
<circle fill="LIGHT" cx="212" cy="334" r="12"/>
<circle fill="LIGHT" cx="328" cy="334" r="12"/>
<path fill="LIGHT" d="M236 356 C236 340 304 340 304 356 C304 392 284 430 270 462 C256 430 236 392 236 356 Z"/>
<circle fill="INK" cx="254" cy="378" r="8"/>
<circle fill="INK" cx="286" cy="378" r="8"/>
<circle fill="INK" cx="270" cy="468" r="10"/>`,

    // Long low body, short legs, raised head and the pale throat and belly.
    weasel: `
<path fill="INK" d="M96 300 C120 250 190 240 250 252 C300 262 340 250 372 220 C390 200 404 182 424 172 C456 160 486 172 496 190 C500 200 490 206 476 208 C460 212 452 224 446 240 C436 268 416 296 392 312 C350 340 300 346 250 344 C190 342 130 340 96 300 Z"/>
<path fill="INK" d="M104 300 C80 292 56 284 32 262 C20 252 22 240 34 244 C60 256 86 264 112 268 Z"/>
<path fill="INK" d="M34 244 C22 236 14 248 18 258 C24 268 34 266 40 260 Z"/>
<path fill="INK" d="M128 318 L116 390 L146 392 L160 330 Z"/>
<path fill="INK" d="M176 330 L178 396 L206 394 L204 336 Z"/>
<path fill="INK" d="M330 326 L326 394 L354 394 L360 318 Z"/>
<path fill="INK" d="M372 314 L384 388 L412 384 L398 300 Z"/>
<ellipse fill="INK" cx="430" cy="166" rx="16" ry="20"/>
<ellipse fill="LIGHT" cx="432" cy="168" rx="7" ry="10"/>
<path fill="LIGHT" d="M470 210 C456 218 448 232 440 254 C428 282 404 308 372 324 C336 338 296 340 262 338 C300 330 340 318 372 298 C404 276 424 248 440 222 C448 212 458 208 470 210 Z"/>
<circle fill="LIGHT" cx="454" cy="186" r="7"/>
<circle fill="INK" cx="496" cy="192" r="6"/>`,

    // A ruffed grouse drumming: fanned, banded tail, crest and neck ruff.
    grouse: `
${fan(210, 300, 190, 150, 262, 9)}
<ellipse fill="INK" cx="300" cy="318" rx="118" ry="86"/>
<path fill="INK" d="M330 270 C340 220 356 180 380 160 L430 170 C426 210 410 250 396 290 Z"/>
<path fill="INK" d="M340 250 C330 214 344 196 360 196 C376 214 392 218 410 214 C412 240 398 262 380 272 Z"/>
<circle fill="INK" cx="404" cy="156" r="40"/>
<path fill="INK" d="M380 124 L392 82 L408 118 L420 88 L426 128 Z"/>
<path fill="INK" d="M440 148 L476 162 L440 174 Z"/>
<circle fill="LIGHT" cx="414" cy="150" r="9"/>
<circle fill="INK" cx="416" cy="150" r="4"/>
<path fill="none" stroke="LIGHT" stroke-width="6" stroke-linecap="round" d="M240 300 C270 330 320 340 370 326"/>
<path fill="none" stroke="LIGHT" stroke-width="6" stroke-linecap="round" d="M256 270 C290 292 330 296 372 286"/>
<path fill="INK" d="M276 392 L270 454 L286 454 L294 394 Z"/>
<path fill="INK" d="M322 392 L330 454 L346 454 L338 390 Z"/>
<path fill="INK" d="M248 456 L300 450 L300 464 L248 466 Z"/>
<path fill="INK" d="M310 452 L368 452 L368 466 L310 464 Z"/>`,

    // Slender, long legs and the long ringed lyre horns of an antelope.
    antelope: `
<path fill="INK" d="M110 238 C130 206 200 200 268 204 C310 206 338 200 352 186 C362 150 370 122 384 100 L418 104 C426 120 432 140 446 154 C462 170 476 184 470 196 C464 206 446 202 430 196 C414 192 404 200 398 214 C388 246 380 280 366 300 C340 320 300 324 250 322 C196 320 150 316 124 300 C104 286 100 258 110 238 Z"/>
<path fill="INK" d="M112 246 C96 250 86 264 84 282 L96 284 C100 270 108 262 118 258 Z"/>
<path fill="INK" d="M136 300 L120 380 L112 470 L128 472 L142 386 L166 312 Z"/>
<path fill="INK" d="M172 308 L170 390 L176 470 L192 470 L190 392 L200 316 Z"/>
<path fill="INK" d="M318 312 L312 390 L308 470 L324 470 L332 390 L344 310 Z"/>
<path fill="INK" d="M350 300 L356 390 L366 470 L382 468 L376 388 L374 296 Z"/>
<path fill="none" stroke="INK" stroke-width="13" stroke-linecap="round" d="M394 108 C378 80 372 54 386 30 C394 18 402 12 406 6"/>
<path fill="none" stroke="INK" stroke-width="13" stroke-linecap="round" d="M410 110 C402 82 404 58 420 38 C428 28 436 22 442 18"/>
<path fill="none" stroke="LIGHT" stroke-width="3" d="M372 80 L392 76 M374 64 L392 62 M378 48 L394 48 M394 86 L414 80 M396 70 L414 66 M402 56 L420 52"/>
<path fill="INK" d="M392 110 L380 92 L398 100 Z"/>
<path fill="LIGHT" d="M150 300 C200 312 270 316 330 308 C350 304 362 296 370 284 C360 304 340 318 300 322 C240 326 180 320 150 300 Z"/>
<path fill="LIGHT" d="M150 250 C190 262 250 268 320 262 C300 272 240 276 190 272 C170 268 156 262 150 250 Z"/>
<circle fill="LIGHT" cx="420" cy="140" r="7"/>`,

    // A long, plain cat: small round head, short round ears, heavy paws and
    // the long tail that hangs low and hooks up at the tip.
    mountainLion: `
<path fill="INK" d="M112 236 C124 198 184 186 248 190 C300 192 338 182 372 178 C400 176 418 186 424 204 L424 260 C412 284 392 300 364 306 C324 316 276 312 228 314 C180 316 138 310 120 290 C106 276 104 258 112 236 Z"/>
<path fill="INK" d="M396 196 C390 164 410 138 444 134 C474 132 494 150 496 172 C498 184 506 194 504 206 C502 222 488 230 470 232 C456 234 446 244 440 256 L404 250 C398 234 396 214 396 196 Z"/>
<path fill="INK" d="M412 150 C406 128 418 114 434 118 C444 124 444 138 436 148 Z"/>
<path fill="INK" d="M448 140 C452 122 468 116 478 126 C484 138 474 150 464 154 Z"/>
<path fill="LIGHT" d="M472 194 C488 192 500 200 500 210 C500 222 488 228 474 228 C460 228 450 222 452 212 C454 202 462 196 472 194 Z"/>
<path fill="INK" d="M488 196 C496 196 502 200 502 206 C498 210 492 210 486 206 Z"/>
<path fill="LIGHT" d="M446 164 C454 158 464 158 470 164 C464 170 454 170 446 164 Z"/>
<circle fill="INK" cx="458" cy="164" r="3"/>
<path fill="INK" d="M130 262 C160 262 182 296 180 330 L172 396 C180 402 184 414 182 426 L134 428 C134 416 140 406 148 400 L150 344 C128 318 118 290 130 262 Z"/>
<path fill="INK" d="M190 296 L200 360 L202 402 C196 410 196 420 198 428 L236 428 C234 416 228 406 222 400 L222 354 L230 300 Z"/>
<path fill="INK" d="M330 290 L324 356 L322 400 C314 408 312 418 314 428 L354 428 C354 414 350 406 344 400 L352 356 L368 296 Z"/>
<path fill="INK" d="M378 276 L388 350 L390 400 C382 408 380 418 382 428 L424 428 C424 414 418 406 412 400 L414 350 L418 268 Z"/>
<path fill="none" stroke="INK" stroke-width="26" stroke-linecap="round" d="M118 236 C76 250 56 296 54 346 C52 398 66 434 100 440 C118 442 128 430 124 414"/>`,
};

// Drawings that do not fill their canvas are cropped to their own extent.
export const drawnViewBox = {
    mountainLion: '28 80 484 380',
};
