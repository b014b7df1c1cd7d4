# Reference answers for the factor rotation tests, computed once with R 4.2 (stats, GPArotation,
# psych). Run from this directory: Rscript make_reference.R. The tests read the .txt files only.
suppressMessages({ library(GPArotation); library(psych) })
options(digits = 17, warn = 2)

write_block <- function(con, name, m) {
  m <- as.matrix(m)
  cat(name, nrow(m), ncol(m), "\n", file = con)
  for (i in seq_len(nrow(m))) cat(formatC(m[i, ], digits = 17, format = "e"), "\n", file = con)
}

raw_varimax <- function(L) sum(colSums(L^4) - colSums(L^2)^2 / nrow(L))
quartimax_value <- function(L) sum(L^4)

loadings_of <- function(covmat, factors, n_obs) {
  fit <- factanal(covmat = covmat, factors = factors, n.obs = n_obs, rotation = "none")
  unclass(fit$loadings)
}

cases <- list(
  harman74 = list(cov = Harman74.cor$cov, n = Harman74.cor$n.obs, k = 4),
  ability = list(cov = ability.cov$cov, n = ability.cov$n.obs, k = 2),
  attitude = list(cov = cor(attitude), n = nrow(attitude), k = 3),
  mtcars = list(cov = cor(mtcars), n = nrow(mtcars), k = 3)
)

for (name in names(cases)) {
  case <- cases[[name]]
  R <- cov2cor(case$cov)
  L <- loadings_of(R, case$k, case$n)
  con <- file(paste0(name, ".txt"), "w")
  write_block(con, "loadings", L)
  vs <- varimax(L, normalize = FALSE, eps = 1e-15)
  vg <- Varimax(L, normalize = FALSE, eps = 1e-7, maxit = 100000)
  # stats and GPArotation agree on the raw varimax optimum.
  stopifnot(abs(raw_varimax(unclass(vs$loadings)) - raw_varimax(vg$loadings)) < 1e-9)
  write_block(con, "varimax", unclass(vs$loadings))
  write_block(con, "varimax_value", raw_varimax(unclass(vs$loadings)))
  qg <- quartimax(L, normalize = FALSE, eps = 1e-7, maxit = 100000)
  write_block(con, "quartimax", qg$loadings)
  write_block(con, "quartimax_value", quartimax_value(qg$loadings))
  # A simple-structure target: the varimax loadings rounded to steps of one half.
  target <- round(vg$loadings * 2) / 2
  # The orthogonal Procrustes solution in closed form; targetT (default precision) agrees with it.
  s <- svd(crossprod(L, target))
  procrustes <- L %*% (s$u %*% t(s$v))
  tg <- targetT(L, Target = target, maxit = 100000)
  stopifnot(max(abs(tg$loadings - procrustes)) < 1e-4)
  write_block(con, "target", target)
  write_block(con, "ziel", procrustes)
  write_block(con, "ziel_value", sum((procrustes - target)^2))
  # Principal axes of L'L.
  V <- eigen(crossprod(L), symmetric = TRUE)$vectors
  write_block(con, "pca", L %*% V)
  write_block(con, "correlation", R)
  write_block(con, "unique_variances", 1 - smc(R))
  close(con)
}
