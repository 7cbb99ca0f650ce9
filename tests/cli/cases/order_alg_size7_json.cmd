order
--json
--size
7
--alg-file
wide.alg
--alg
3Rw 2-3U' x
