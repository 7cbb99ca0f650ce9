order
--size
2
--alg
[R, U]
